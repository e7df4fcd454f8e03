# 32-bit Windows, the engine's own target. Built and checked; nothing here runs it.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(EVOPLUG_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# SSE2 arithmetic for float and double, as on x86-64: the x87 unit keeps
# intermediates in extended precision (and follows whatever precision the
# game set in its control word), so fitness sums and comparisons could come
# out differently from every other build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
