# Cross build for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads compiler, so that
# std::thread and std::mutex work), run under Wine. Every executable links libgcc and libstdc++
# statically, so it starts under Wine without hunting for the compiler's DLLs.
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTRO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTRO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTRO_MINGW_PREFIX})
# Prefixes of libraries cross-built for Windows outside the compiler's own (scripts/build-*-windows.sh),
# -DKESTRO_WINDOWS_PREFIXES="a;b": searched as they stand, so what pkg-config finds there is used.
list(APPEND CMAKE_FIND_ROOT_PATH ${KESTRO_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test executables (gtest_discover_tests included) run through Wine. wine64 is the 64-bit loader;
# Debian keeps it outside PATH.
find_program(KESTRO_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KESTRO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTRO_WINE})
endif()
