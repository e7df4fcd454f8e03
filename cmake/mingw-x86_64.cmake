# 64-bit Windows; its programs run under wine64, which makes the tests runnable.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(EVOPLUG_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

find_program(EVOPLUG_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(EVOPLUG_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${EVOPLUG_WINE})
endif()
