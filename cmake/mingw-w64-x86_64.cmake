# 64-bit Windows: a developer configuration; the release is the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KX27_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
