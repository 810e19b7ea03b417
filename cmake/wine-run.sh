#!/usr/bin/env bash
# Runs a Windows program under Wine and returns its exit code; CTest uses it
# as the cross build's emulator.
#
#   wine-run.sh PROGRAM.exe [ARGS...]   run it (sets up display and prefix once)
#   wine-run.sh --prepare BUILD_DIR     set up only
#   wine-run.sh --env BUILD_DIR         set up, then print the shell exports
#   wine-run.sh --stop BUILD_DIR        end that build tree's Wine and Xvfb
#
# Each build tree gets one Wine prefix and one Xvfb display, both kept in
# BUILD_DIR/wine and reused by every later run, so that a test pays only for
# starting its program. The build tree is the nearest folder above the program
# that holds CMakeCache.txt, or $KX27_WINE_ROOT. With KX27_KEEP_DISPLAY=1 the
# caller's $DISPLAY is used instead of Xvfb; with KX27_DESKTOP=1 the program
# runs on Wine's virtual desktop (its exit code is then not returned).
set -uo pipefail

wine_bin=/usr/lib/wine/wine64
wineserver_bin=/usr/lib/wine/wineserver
desktop_name=kx27
# Room for the dialog at 200 % scale.
desktop_size=1600x1200

die() {
  echo "wine-run.sh: $*" >&2
  exit 125
}

build_root_of() {
  local dir
  dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || return 1
  while [ "$dir" != / ]; do
    [ -f "$dir/CMakeCache.txt" ] && { echo "$dir"; return 0; }
    dir=$(dirname "$dir")
  done
  return 1
}

set_paths() {
  root=$(cd "$1" && pwd) || die "no such build tree: $1"
  state="$root/wine"
  export WINEPREFIX="$state/prefix"
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs: nothing here needs them, and a
  # dialog nobody answers would hang the run.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

xvfb_alive() {
  local pid
  [ -f "$state/xvfb.pid" ] && [ -f "$state/display" ] || return 1
  pid=$(cat "$state/xvfb.pid")
  [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] &&
    [ -S "/tmp/.X11-unix/X$(cat "$state/display")" ]
}

start_xvfb() {
  rm -f "$state/display" "$state/xvfb.pid" "$state/display.new"
  # Detached and with every descriptor redirected: CTest waits for the pipes
  # of a test to close, and the lock must not outlive this script.
  setsid Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp \
    3>"$state/display.new" </dev/null >"$state/xvfb.log" 2>&1 9>&- &
  echo $! >"$state/xvfb.pid"
  local i
  for ((i = 0; i < 100; i++)); do
    if [ -s "$state/display.new" ]; then
      tr -d '\n' <"$state/display.new" >"$state/display"
      rm -f "$state/display.new"
      return 0
    fi
    sleep 0.1
  done
  die "Xvfb did not start (see $state/xvfb.log)"
}

# The dialog asks for "ＭＳ ゴシック" and its kin; without these replacements
# Wine draws its Japanese text as boxes. The dialog tests run on a virtual
# desktop, where Wine draws the window frames itself (Xvfb has no window
# manager to draw them), so that screenshots show the caption; the crash
# dialog is off, since nobody would answer it.
write_registry_file() {
  printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"ＭＳ ゴシック"="IPAGothic"' \
    '"ＭＳ Ｐゴシック"="IPAGothic"' \
    '"MS Gothic"="IPAGothic"' \
    '"MS UI Gothic"="IPAGothic"' \
    '"MS Shell Dlg"="IPAGothic"' \
    '"MS Shell Dlg 2"="IPAGothic"' \
    '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' \
    "\"$desktop_name\"=\"$desktop_size\"" \
    '' \
    '[HKEY_CURRENT_USER\Software\Wine\AppDefaults\win_dialog_tests.exe\Explorer]' \
    "\"Desktop\"=\"$desktop_name\"" \
    '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' \
    '"ShowCrashDialog"=dword:00000000' '' |
    iconv -f utf-8 -t utf-16le | { printf '\xff\xfe'; cat; } >"$1"
}

# Creates the prefix once and applies the registry settings whenever they
# differ from those it was given last.
prepare_prefix() {
  copy_caption_font
  write_registry_file "$state/prefix.reg.new"
  if [ -f "$state/prefix.ready" ] && cmp -s "$state/prefix.reg.new" "$state/prefix.reg"; then
    rm -f "$state/prefix.reg.new"
    return 0
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    echo "wine-run.sh: creating the Wine prefix $WINEPREFIX" >&2
    # On a loaded machine a fresh wineboot now and then fails to start one
    # of its programs ("ShellExecuteEx failed"); a second one from scratch
    # succeeds.
    if ! "$wine_bin" wineboot -i </dev/null >"$state/wineboot.log" 2>&1 9>&-; then
      "$wineserver_bin" -k 2>/dev/null 9>&-
      rm -rf "$WINEPREFIX"
      "$wine_bin" wineboot -i </dev/null >>"$state/wineboot.log" 2>&1 9>&- ||
        die "wineboot failed twice (see $state/wineboot.log)"
    fi
    copy_caption_font
  fi
  mv "$state/prefix.reg.new" "$state/prefix.reg"
  "$wine_bin" regedit /S "$(winepath_of "$state/prefix.reg")" \
    </dev/null >>"$state/wineboot.log" 2>&1 9>&- ||
    die "regedit failed (see $state/wineboot.log)"
  # The registry reaches the disk when the prefix's server ends; one kept
  # alive by an earlier run already serves the new values.
  timeout 15 "$wineserver_bin" -w 9>&- || true
  touch "$state/prefix.ready"
}

# Wine draws the caption buttons with Marlett, which this Wine finds only in
# the prefix's own font folder.
copy_caption_font() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}

winepath_of() {
  printf 'Z:%s' "${1//\//\\}"
}

set_up() {
  mkdir -p "$state" || die "cannot create $state"
  exec 9>"$state/lock"
  flock 9
  if [ "${KX27_KEEP_DISPLAY:-0}" = 1 ]; then
    [ -n "${DISPLAY:-}" ] || die "KX27_KEEP_DISPLAY=1 but DISPLAY is not set"
  else
    xvfb_alive || start_xvfb
    export DISPLAY=":$(cat "$state/display")"
  fi
  prepare_prefix
  # A server that outlives each program by a minute spares every test the
  # prefix start-up; --stop ends it at once.
  "$wineserver_bin" -p60 </dev/null >/dev/null 2>&1 9>&-
  exec 9>&-
}

stop() {
  if [ -d "$WINEPREFIX" ]; then "$wineserver_bin" -k 2>/dev/null; fi
  if xvfb_alive; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null; fi
  rm -f "$state/xvfb.pid" "$state/display"
  return 0
}

case "${1:-}" in
  "") die "usage: wine-run.sh PROGRAM.exe [ARGS...] | --env BUILD_DIR | --stop BUILD_DIR" ;;
  --stop)
    [ -d "${2:-}/wine" ] || exit 0
    set_paths "$2"
    stop
    exit 0
    ;;
  --prepare)
    set_paths "${2:?build tree}"
    set_up
    exit 0
    ;;
  --env)
    set_paths "${2:?build tree}"
    set_up
    printf 'export DISPLAY=%q WINEPREFIX=%q WINEDEBUG=%q WINEDLLOVERRIDES=%q\n' \
      "$DISPLAY" "$WINEPREFIX" "$WINEDEBUG" "$WINEDLLOVERRIDES"
    exit 0
    ;;
esac

program=$1
shift
[ -f "$program" ] || die "no such program: $program"
if [ -n "${KX27_WINE_ROOT:-}" ]; then
  set_paths "$KX27_WINE_ROOT"
else
  root_dir=$(build_root_of "$program") || die "no build tree above $program"
  set_paths "$root_dir"
fi
set_up

# Output goes through files, not the caller's pipes: Wine's helper processes
# inherit them and would keep CTest waiting after the program has ended.
out=$(mktemp "$state/out.XXXXXX")
err=$(mktemp "$state/err.XXXXXX")
launcher=()
if [ "${KX27_DESKTOP:-0}" = 1 ]; then
  launcher=(explorer "/desktop=$desktop_name,$desktop_size")
fi
timeout -k 5 "${KX27_WINE_TIMEOUT:-900}" "$wine_bin" "${launcher[@]}" "$program" "$@" \
  </dev/null >"$out" 2>"$err"
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit "$rc"
