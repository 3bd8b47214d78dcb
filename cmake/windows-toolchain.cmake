# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (POSIX threads).
# LOMIRA_WINDOWS_SDK names the folder scripts/build-windows-sdk.sh filled with
# the static Qt and the other libraries; the MinGW sysroot comes first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT LOMIRA_WINDOWS_SDK AND DEFINED ENV{LOMIRA_WINDOWS_SDK})
  set(LOMIRA_WINDOWS_SDK "$ENV{LOMIRA_WINDOWS_SDK}")
endif()
# try_compile projects read this file again and need the folder too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LOMIRA_WINDOWS_SDK)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${LOMIRA_WINDOWS_SDK})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry the C and C++ runtimes and the thread library inside, so
# that nothing but Windows' own DLLs need be beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
