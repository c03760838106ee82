# Build for the web runtime with Emscripten (Debian 12's em++ 3.1.6), as pages
# a browser opens: the program's page and the pages the window cases run in.
#   cmake --preset web-app
#
# No exception is ever caught: Emscripten's default, under which a throw
# ends the program (nothing on an event path throws: ui/form_view.h), and
# which keeps the page small. Optimised for size, across the libraries (LTO),
# without run-time type information (nothing asks for it).
include("${CMAKE_CURRENT_LIST_DIR}/emscripten.cmake")

# As the cache's first values: CMake would append its own -Os to an _INIT.
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Oz -DNDEBUG -flto -fno-rtti" CACHE STRING "Flags for the pages, optimised for size")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL "-Oz -flto" CACHE STRING "Link flags for the pages, optimised for size")
