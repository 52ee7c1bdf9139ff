# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (POSIX threads).
# ZP_WINDOWS_DEPS names the folder the Windows builds of SFML and its
# libraries were installed into (scripts/windows.sh builds it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZP_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZP_MINGW_TRIPLE}-windres)

# try_compile projects read this file again: hand the folder on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZP_WINDOWS_DEPS)
if(NOT ZP_WINDOWS_DEPS AND DEFINED ENV{ZP_WINDOWS_DEPS})
  set(ZP_WINDOWS_DEPS $ENV{ZP_WINDOWS_DEPS})
endif()

# Libraries, headers and packages come from the Windows side only: the
# compiler's own tree and the cross-built dependencies; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZP_MINGW_TRIPLE} ${ZP_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
