# Cross-compiles the Windows program with MinGW-w64 (x86_64).
# Use with -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake and
# -DTK_HOST_TOOLS_DIR=<native build>/tools, because the build runs native tools.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TK_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model where there is a choice: the win32 one lacks
# std::mutex and std::thread, which GoogleTest (and standard C++) need.
find_program(TK_MINGW_CC NAMES ${TK_MINGW_PREFIX}-gcc-posix ${TK_MINGW_PREFIX}-gcc REQUIRED)
find_program(TK_MINGW_CXX NAMES ${TK_MINGW_PREFIX}-g++-posix ${TK_MINGW_PREFIX}-g++ REQUIRED)
set(CMAKE_C_COMPILER ${TK_MINGW_CC})
set(CMAKE_CXX_COMPILER ${TK_MINGW_CXX})
set(CMAKE_RC_COMPILER ${TK_MINGW_PREFIX}-windres)
set(CMAKE_AR ${TK_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TK_MINGW_PREFIX}-ranlib CACHE FILEPATH "")

# Headers and libraries come from the MinGW sysroot only; programs (the native
# tools the build runs) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

