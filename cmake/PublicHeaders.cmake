# Include fences. Every library publishes its headers through a folder of
# its own in the build tree that holds only forwarding headers for them, so
# a target sees exactly the headers of what it links: the core cannot reach
# "ui/…", and the toolkit-free form cannot reach "ui/qt/…".
#
#   tavrelo_public_headers(core PREFIX core HEADERS number_text.h …)
# makes `#include "core/number_text.h"` work for core and whatever links it.
function(tavrelo_public_headers target)
  cmake_parse_arguments(ARG "" "PREFIX" "HEADERS" ${ARGN})
  set(root "${PROJECT_BINARY_DIR}/include/${target}")
  foreach(header IN LISTS ARG_HEADERS)
    set(forward "${root}/${ARG_PREFIX}/${header}")
    set(text "#pragma once\n#include \"${CMAKE_CURRENT_SOURCE_DIR}/${header}\"\n")
    if(EXISTS "${forward}")
      file(READ "${forward}" old)
    else()
      set(old "")
    endif()
    if(NOT old STREQUAL text)
      file(WRITE "${forward}" "${text}")
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${root}>")
endfunction()
