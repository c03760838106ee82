# Build for the web runtime with Emscripten (Debian 12's em++ 3.1.6), as
# programs that node runs from a shell: the core's and the form's tests.
#   cmake --preset web-tests
# or: cmake -S . -B build/web-tests -G Ninja --toolchain cmake/emscripten-node.cmake -DTAVRELO_UI=none
include("${CMAKE_CURRENT_LIST_DIR}/emscripten.cmake")
# The toolchain a build folder was made with: it keeps it for good
# (CMakeLists.txt checks it against the one asked for).
set(TAVRELO_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_FILE}")

# The tests catch exceptions (the form's misuse checks throw), so they are
# built with them; the pages are built without (emscripten-page.cmake).
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
# A program for node's command line: it reads and writes the real file system
# (the fuzz corpus), grows its memory as it needs, ends with main's exit code,
# and compiles its WebAssembly at once. Emscripten 3.1.6 would otherwise load
# it with fetch() whenever node has one (node 18 on), which cannot read a path.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fexceptions -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0")
