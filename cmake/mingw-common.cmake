# Shared by the MinGW-w64 toolchain files; EVOPLUG_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: the win32 one lacks std::mutex and friends, which
# GoogleTest needs. Its winpthread is linked in statically like the rest.
set(CMAKE_C_COMPILER ${EVOPLUG_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${EVOPLUG_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${EVOPLUG_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${EVOPLUG_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${EVOPLUG_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The engine's folder holds only our DLL: the C++ runtime, libgcc and (with
# the posix thread model) winpthread are linked in.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
