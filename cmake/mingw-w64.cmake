# Cross build for Windows with MinGW-w64 (posix threads flavour), shared by
# the 32-bit release toolchain and the 64-bit developer one, which set
# CMAKE_SYSTEM_PROCESSOR and KX27_MINGW_TRIPLE before including this. Every
# .exe links its runtime statically so that it stands alone beside
# JWC_TEMP.TXT, and runs here under Wine through wine-run.sh.

set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KX27_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KX27_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KX27_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KX27_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static also pulls in winpthread, which the posix flavour would otherwise
# load from a DLL that no user has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
