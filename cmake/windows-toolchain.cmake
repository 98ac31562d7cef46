# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, in its POSIX
# threads flavour (the one with std::thread and std::mutex, which Qt needs).
# The static Qt of scripts/windows.sh is built with this file and so is the
# game; a Qt prefix in CMAKE_PREFIX_PATH is searched like the compiler's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(KOPPELO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KOPPELO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOPPELO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KOPPELO_MINGW}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KOPPELO_MINGW} ${CMAKE_PREFIX_PATH})
# Programs run here; headers, libraries and packages come from Windows' side.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
