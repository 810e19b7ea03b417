# Sourced by the scripts: installs the Debian packages the build and the tests
# need, once.
kx27_packages=(g++ cmake ninja-build libgtest-dev
  # the sources' one style (.clang-format)
  clang-format
  # the Windows cross builds (32-bit for the release, 64-bit for developers),
  # Wine to run both (its 32-bit loader runs the release in a 64-bit prefix),
  # and a display for the dialog
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 wine32:i386 fonts-wine
  xvfb fonts-ipafont-gothic
  imagemagick x11-apps xdotool
  # the sanitizer build and the fuzz targets: clang, its sanitizer and
  # libFuzzer runtimes, and the symbolizer for readable reports
  clang libclang-rt-14-dev llvm)

kx27_sudo=()
[ "$(id -u)" -eq 0 ] || kx27_sudo=(sudo)
# wine32 is an i386 package: dpkg must know the architecture first (the
# package is then missing, so the lists are updated below).
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${kx27_sudo[@]}" dpkg --add-architecture i386
fi

kx27_missing=()
for p in "${kx27_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || kx27_missing+=("$p")
done
if ((${#kx27_missing[@]})); then
  "${kx27_sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${kx27_sudo[@]}" apt-get install -y -q --no-install-recommends "${kx27_missing[@]}"
fi
unset kx27_missing p kx27_sudo
