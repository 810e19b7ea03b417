# Sourced by the scripts: installs the Debian packages the build and the tests
# need, once.
kx27_packages=(g++ cmake ninja-build libgtest-dev
  # the Windows cross build, Wine to run it, and a display for the dialog
  g++-mingw-w64-x86-64-posix wine64 fonts-wine xvfb fonts-ipafont-gothic
  imagemagick x11-apps xdotool
  # the sanitizer build and the fuzz targets: clang, its sanitizer and
  # libFuzzer runtimes, and the symbolizer for readable reports
  clang libclang-rt-14-dev llvm)

kx27_missing=()
for p in "${kx27_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || kx27_missing+=("$p")
done
if ((${#kx27_missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${kx27_missing[@]}"
fi
unset kx27_missing p sudo_cmd
