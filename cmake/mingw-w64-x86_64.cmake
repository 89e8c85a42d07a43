# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread
# variant, package g++-mingw-w64-x86-64-posix). The programs are linked
# statically, so they need no MinGW DLLs beside them, and run under Wine
# (wine64) when CMake or CTest runs them.
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVOZAZ2_CORE_ONLY=ON
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOZAZ2_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VOZAZ2_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOZAZ2_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VOZAZ2_MINGW_TRIPLET}-windres)

# Libraries, headers and CMake packages come from the MinGW tree only, never
# from the Linux system; programs (the build tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VOZAZ2_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian's wine64 package puts the loader in /usr/lib/wine, off the PATH.
find_program(VOZAZ2_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VOZAZ2_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VOZAZ2_WINE})
endif()
