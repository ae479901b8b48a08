# Cross-builds the Windows program on Debian with MinGW-w64 (the posix
# thread model, which std::mutex and std::thread need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)
# Programs carry MinGW's runtime in themselves: Windows and Wine have none of
# its DLLs, so a program imports system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Libraries and headers come from the cross toolchain's root only; programs
# (the build's own tools) from the machine that builds.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Built programs run here under Wine: the core's tests through CTest.
find_program(RULER_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${RULER_WINE})
