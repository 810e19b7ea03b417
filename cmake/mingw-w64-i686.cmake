# 32-bit Windows, the release: Jw_cad is a 32-bit program and runs on 32-bit
# Windows, where a 64-bit program does not start at all.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KX27_MINGW_TRIPLE i686-w64-mingw32)
# SSE2 arithmetic, as on x86_64: the x87 unit's wider intermediates would
# round some reals differently, and the answer must not depend on the build.
# Every Windows from 8 on requires SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
