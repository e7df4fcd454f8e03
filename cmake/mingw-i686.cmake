# 32-bit Windows, the engine's own target. Its programs run under wine's
# 32-bit loader, through cmake/wine-i386.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(EVOPLUG_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-i386)

# SSE2 arithmetic for float and double, as on x86-64: the x87 unit keeps
# intermediates in extended precision (and follows whatever precision the
# game set in its control word), so fitness sums and comparisons could come
# out differently from every other build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
