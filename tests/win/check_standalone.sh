#!/usr/bin/env bash
# Fails when a Windows program of the build tree needs a DLL that Windows
# itself does not ship (the MinGW runtime, say): users copy the .exe alone.
set -euo pipefail
build=$1
objdump=${2:-x86_64-w64-mingw32-objdump}
system_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows

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
done < <(find "$build" \( -path "$build/wine" -o -name runs \) -prune -o -name '*.exe' -print0)

if ((count == 0)); then
  echo "no .exe in $build" >&2
  exit 1
fi
((status == 0)) && echo "all $count programs need only system DLLs"
exit "$status"
