# Cross-building for 64-bit Windows with Debian's mingw-w64 (posix threads),
# linking everything statically so the program is one .exe. Programs built
# here run under Wine's wine64 when CTest runs them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${MINGW_TRIPLET}-gcc-posix ${MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_TRIPLET}-g++-posix ${MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_TRIPLET}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# This compiler's libstdc++ warns falsely of overlapping copies in inlined
# std::string assignments at -O2 (GCC bug 105329); Debian's native GCC 12 does not.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

find_program(CELESTRIX_WINE64 NAMES wine64 HINTS /usr/lib/wine)
if(CELESTRIX_WINE64)
  # A Wine prefix of the build's own; no .NET or browser engine installed into it.
  set(CMAKE_CROSSCOMPILING_EMULATOR
    env "WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml="
    ${CELESTRIX_WINE64})
endif()
