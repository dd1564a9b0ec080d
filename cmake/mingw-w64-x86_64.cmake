# Cross-compiling the Windows program and tools with MinGW-w64 (Debian's g++-mingw-w64-x86-64-posix).
# Test programs run through Wine: CTest puts the emulator in front of every test command.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib linked in, as every other library: each .exe needs only the system's DLLs.
set(ZLIB_USE_STATIC_LIBS ON)
find_program(SG_WINE NAMES wine wine64)
if(SG_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SG_WINE})
endif()
