# Cross-building for 64-bit Windows with Debian's MinGW-w64 (posix threads):
# the core libraries and their tests (tools/windows-test), whose C++ and GCC
# runtimes are linked statically so that a test program runs under Wine
# without any DLL beside it; or, with NK_WINDOWS_QT set to the prefix of Qt
# for Windows (tools/windows-qt), the whole program (tools/windows-build),
# which shares the compiler's runtime DLLs with Qt's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NK_WINDOWS_QT)
if(NK_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${NK_WINDOWS_QT})
  list(APPEND CMAKE_PREFIX_PATH ${NK_WINDOWS_QT})
else()
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endif()
