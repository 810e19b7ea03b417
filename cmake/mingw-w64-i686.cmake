# 32-bit Windows, the release: Jw_cad is a 32-bit program and runs on 32-bit
# Windows, where a 64-bit program does not start at all.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KX27_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
