# What the two MinGW-w64 toolchain files share; they set TF_MINGW_TRIPLE first.
set(CMAKE_C_COMPILER ${TF_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TF_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TF_MINGW_TRIPLE}-windres)
set(CMAKE_CXX_STANDARD 20)

set(CMAKE_FIND_ROOT_PATH /usr/${TF_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Optimised at -O2: GCC 12 at -O3 warns falsely about the bounds of vector insertions in
# libstdc++, and build-windows.sh makes warnings errors (TF_WERROR).
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of release builds")
