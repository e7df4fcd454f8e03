# 32-bit Windows, the engine's own target. Built and checked; nothing here runs it.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(EVOPLUG_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
