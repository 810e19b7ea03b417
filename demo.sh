#!/usr/bin/env bash
# Shows the tool at work: builds kx27.exe, lays out a folder as Jw_cad leaves
# it (the program, a sample JWC_TEMP.TXT and a kx27.dat whose current preset
# converts some layers) and opens the dialog. On a desktop the dialog waits
# for you; without one it opens on a virtual display, where a screenshot is
# saved and OK is pressed. Either way the exchange file is shown before and
# after.
set -euo pipefail
cd "$(dirname "$0")"

source cmake/install-deps.sh

source cmake/windows-build.sh
build=$kx27_win_build
demo=build/demo

cmake --preset "$kx27_win_preset" >/dev/null
cmake --build --preset "$kx27_win_preset" --target kx27

program=$(find "$build/app" -name kx27.exe -print -quit)
[ -n "$program" ] || { echo "demo.sh: kx27.exe was not built" >&2; exit 1; }
rm -rf "$demo"
mkdir -p "$demo"
cp "$program" "$demo/kx27.exe"
cp demo/sample_JWC_TEMP.TXT "$demo/JWC_TEMP.TXT"

# kx27.dat: window at (100, 80), preset 1 current with a comment; group 0
# layer 1 (doors) to line type 2, layer 2 (fixtures) to 9, group 1 layer 3
# (dimensions) to 5; dimension lines converted too.
sjis() { printf '%s' "$1" | iconv -f utf-8 -t cp932; }
write_settings() {
  local preset value index
  printf '%s\r\n' 100 80 '' 1
  printf '%s\r\n' "$(sjis '建具を点線、設備を補助線、寸法線を一点鎖線に')"
  for ((index = 0; index < 256; index++)); do
    case $index in
      1) value=2 ;;
      2) value=9 ;;
      19) value=5 ;;
      *) value=0 ;;
    esac
    printf '%s\r\n' "$value"
  done
  for ((preset = 2; preset <= 20; preset++)); do
    printf '\r\n'
    for ((index = 0; index < 256; index++)); do printf '0\r\n'; done
  done
  printf '1\r\n'
}
write_settings >"$demo/kx27.dat"

show() {
  echo "== $1: $demo/JWC_TEMP.TXT (Shift_JIS, shown as UTF-8)"
  iconv -f cp932 -t utf-8 "$demo/JWC_TEMP.TXT" | tr -d '\r'
  echo
}
show "before"

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  echo "The dialog is open on $DISPLAY: choose a preset and press OK or Cancel."
  KX27_KEEP_DISPLAY=1 KX27_WINE_ROOT="$build" cmake/wine-run.sh "$demo/kx27.exe"
else
  trap 'cmake/wine-run.sh --stop "$build"' EXIT
  eval "$(cmake/wine-run.sh --env "$build")"
  # On Wine's virtual desktop, which draws the window frames that a bare
  # X server has no window manager for.
  KX27_WINE_ROOT="$build" KX27_DESKTOP=1 KX27_WINE_TIMEOUT=60 \
    cmake/wine-run.sh "$demo/kx27.exe" &
  tool=$!
  desktop=$(timeout 30 xdotool search --sync --onlyvisible --name 'Wine desktop' | head -n 1) || true
  if [ -z "$desktop" ]; then
    echo "demo.sh: the dialog did not open" >&2
    wait "$tool" || true
    exit 1
  fi
  sleep 2
  # The dialog is the one thing on the plain desktop: trimming the plain
  # colour around it leaves the dialog, and the trimmed box locates it.
  import -window root "$demo/desktop.png"
  read -r width height left top < <(convert "$demo/desktop.png" -format '%@\n' info: | tr 'x+' '  ')
  convert "$demo/desktop.png" -crop "${width}x${height}+${left}+${top}" +repage "$demo/dialog.png"
  rm -f "$demo/desktop.png"
  echo "No desktop here: the dialog opened on a virtual display; its picture is $demo/dialog.png."
  echo "Pressing OK."
  # OK has the focus when the dialog opens: Enter presses it.
  xdotool key --clearmodifiers Return
  wait "$tool"
fi

show "after"
