# Build for the web runtime with Emscripten (Debian 12's em++ 3.1.6), as pages
# a browser opens: the program's page and the pages the window cases run in.
#   cmake --preset web
#
# Without exceptions (-fno-exceptions: nothing on an event path throws,
# ui/form_view.h; the model's misuse checks end the program instead), which
# keeps the page small and lets Asyncify suspend the test pages anywhere.
# Optimised for size, across the libraries (LTO), without run-time type
# information (nothing asks for it).
include("${CMAKE_CURRENT_LIST_DIR}/emscripten.cmake")
# The toolchain a build folder was made with: it keeps it for good
# (CMakeLists.txt checks it against the one asked for).
set(TAVRELO_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_FILE}")

# Forced into the cache: CMake would append its own -Os to an _INIT, and a
# build folder made before a change here must take the change.
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Oz -DNDEBUG -flto -fno-rtti -fno-exceptions" CACHE STRING "Flags for the pages, optimised for size" FORCE)
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL "-Oz -flto" CACHE STRING "Link flags for the pages, optimised for size" FORCE)
