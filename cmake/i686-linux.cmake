# 32-bit x86 Linux: the engine's word width (4-byte pointers) and the 32-bit
# DLL's floating point, on a machine that builds natively. The programs run
# under the user-mode emulator, so ctest and test discovery need no kernel
# support for 32-bit programs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# As in mingw-i686.cmake: SSE2, not x87, so results match the DLL's.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")

find_program(EVOPLUG_QEMU_I386 qemu-i386)
if(NOT EVOPLUG_QEMU_I386)
  message(FATAL_ERROR "qemu-i386 not found (Debian package qemu-user; .ci/deps-x86 installs it)")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${EVOPLUG_QEMU_I386})
