# Sourced by the scripts: the Windows build tree whose programs run here.
# The release is 32-bit, run by Wine's 32-bit loader; a kernel built or
# booted without 32-bit support (some virtual machines) cannot start that
# loader, and the same code is then built and run 64-bit instead.
#   kx27_win_preset     its CMakePresets.json name (win32 or win64)
#   kx27_win_build      its build tree (build/win32 or build/win64)
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  kx27_win_preset=win32
  kx27_win_build=build/win32
else
  echo "This machine's kernel cannot run 32-bit programs: the Windows programs are built and run 64-bit here." >&2
  kx27_win_preset=win64
  kx27_win_build=build/win64
fi
