# Cross-builds the Windows program on Linux with mingw-w64 (Debian package g++-mingw-w64-x86-64-posix).
# The posix-threads variant of the compiler is used, since GoogleTest needs std::thread and std::mutex.
# Usage: cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(STEPWISE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${STEPWISE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${STEPWISE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${STEPWISE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${STEPWISE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe per program: the C and C++ runtimes and winpthreads are linked in, so
# nothing beyond the DLLs of Windows itself is needed.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release programs carry no symbol tables.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")
