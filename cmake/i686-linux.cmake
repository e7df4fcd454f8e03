# 32-bit x86 Linux: the engine's word width (4-byte pointers) and the 32-bit
# DLL's floating point, on a machine that builds natively. The programs run
# directly where the kernel runs 32-bit programs, else under the user-mode
# emulator; EVOPLUG_X86_QEMU=ON or OFF overrides the check.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# As in mingw-i686.cmake: SSE2, not x87, so results match the DLL's.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")

# CMake reads this file again for each check it compiles: the answer goes along.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES EVOPLUG_X86_QEMU)
if("${EVOPLUG_X86_QEMU}" STREQUAL "")
  execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/runs-i386 RESULT_VARIABLE status
                  OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    set(EVOPLUG_X86_QEMU OFF)
  else()
    set(EVOPLUG_X86_QEMU ON)
  endif()
endif()

if(EVOPLUG_X86_QEMU)
  find_program(EVOPLUG_QEMU_I386 qemu-i386)
  if(NOT EVOPLUG_QEMU_I386)
    message(FATAL_ERROR "qemu-i386 not found (Debian package qemu-user; .ci/deps-x86 installs it)")
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${EVOPLUG_QEMU_I386})
endif()
