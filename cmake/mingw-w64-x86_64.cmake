# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++ 12) and tests
# under Wine:
#   cmake --preset windows
# or: cmake -S . -B build/win -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake
#
# The -posix compilers: their libstdc++ has std::thread, std::mutex and
# friends (the -win32 ones do not). Everything is linked statically, so the
# programs need only the DLLs that come with Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TAVRELO_MINGW_TRIPLE x86_64-w64-mingw32)
# C only for GoogleTest's own CMake project, which enables C as well.
set(CMAKE_C_COMPILER ${TAVRELO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRELO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRELO_MINGW_TRIPLE}-windres)

# Libraries, headers and packages only from the MinGW sysroot; programs
# (the tools the build runs) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRELO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread inside the .exe: no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest, add_test(COMMAND <target>) and gtest_discover_tests run the .exe
# files through Wine, in a prefix of their own below the build folder.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  cmake_path(SET _tavrelo_wine_run NORMALIZE "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine/run.sh")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${_tavrelo_wine_run};--root;${CMAKE_BINARY_DIR}/wine")
  unset(_tavrelo_wine_run)
endif()
