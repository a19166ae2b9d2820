# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (package
# mingw-w64): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ...
# The posix thread model is named outright, whichever one the system's
# alternatives point at, so every machine builds with the same compiler.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

# Libraries and headers come from the MinGW tree and from the folders
# given in CMAKE_FIND_ROOT_PATH (the cross-built freeglut), never from the
# build machine's own /usr.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
