#!/usr/bin/env bash
# Fails when a Windows program of the build tree needs a DLL that Windows
# itself does not ship (the MinGW runtime, say): users copy the .exe alone.
set -euo pipefail
#   check_standalone.sh BUILD_DIR MINGW_TRIPLE
build=$1
triple=$2
objdump=$triple-objdump
case "$triple" in
  i686-*) system_dlls=/usr/lib/i386-linux-gnu/wine/i386-windows ;;
  *) system_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows ;;
esac

status=0
count=0
while IFS= read -r -d '' exe; do
  count=$((count + 1))
  while read -r dll; do
    if [ ! -e "$system_dlls/${dll,,}" ]; then
      echo "$exe needs $dll" >&2
      status=1
    fi
  done < <("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
done < <(find "$build" \( -path "$build/wine" -o -path "$build/CMakeFiles" -o -name runs \) -prune -o -name '*.exe' -print0)

if ((count == 0)); then
  echo "no .exe in $build" >&2
  exit 1
fi
((status == 0)) && echo "all $count programs need only system DLLs"
exit "$status"
