# Build for the web runtime with Emscripten (Debian 12's em++ 3.1.6), as
# programs that node runs from a shell: the core's and the form's tests.
#   cmake --preset web
# or: cmake -S . -B build/web -G Ninja --toolchain cmake/emscripten-node.cmake
#
# Emscripten's own toolchain file does the work; it lives in Emscripten's
# folder: $EMSCRIPTEN, or where Debian puts it.
if(DEFINED ENV{EMSCRIPTEN})
  set(_tavrelo_emscripten "$ENV{EMSCRIPTEN}")
else()
  set(_tavrelo_emscripten /usr/share/emscripten)
endif()
include("${_tavrelo_emscripten}/cmake/Modules/Platform/Emscripten.cmake")
unset(_tavrelo_emscripten)

# When it optimises, em++ runs a JavaScript pass in node that loads acorn
# from Debian's node modules. Debian's own node looks in /usr/share/nodejs by
# itself; another node installed as /usr/bin/node (NodeSource's) does not.
if(IS_DIRECTORY /usr/share/nodejs/acorn)
  set(CMAKE_CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=/usr/share/nodejs")
endif()

# The tests catch exceptions (the form's misuse checks throw), so they are
# built with them; the page will be built without.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
# A program for node's command line: it reads and writes the real file system
# (the fuzz corpus), grows its memory as it needs, ends with main's exit code,
# and compiles its WebAssembly at once. Emscripten 3.1.6 would otherwise load
# it with fetch() whenever node has one (node 18 on), which cannot read a path.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fexceptions -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0")
