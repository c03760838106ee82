# What both Emscripten builds share (included by emscripten-node.cmake and
# emscripten-page.cmake, not a toolchain file of its own): Emscripten's own
# toolchain file, from Emscripten's folder ($EMSCRIPTEN, or where Debian
# puts it), and acorn for em++'s optimiser.
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
