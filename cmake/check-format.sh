#!/usr/bin/env bash
# Fails, naming the files, when a C++ source of the tree strays from
# .clang-format. The generated code-page table is left as its script writes
# it, and the version resource, a resource script, as windres reads it.
#   cmake/check-format.sh [--fix]   (--fix formats the files in place)
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h' | grep -v -e '^app/picture/cp932_table\.cpp$' -e '\.rc\.h$')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
unformatted=()
for source in "${sources[@]}"; do
  clang-format "$source" | cmp -s - "$source" || unformatted+=("$source")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (cmake/check-format.sh --fix formats them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "${#sources[@]} sources formatted as .clang-format says"
