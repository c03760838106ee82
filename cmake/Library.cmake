# Every library of the project is declared the same way:
#
#   tavrelo_add_library(form SOURCES a.cpp a.h … LINK tavrelo::core [LINK_PRIVATE …])
#
# makes the static library `form`, also named tavrelo::form, with the
# project's root as its include directory (headers are included by their
# path from the root: "core/…", "ui/…", "ui/qt/…", "tests/support/…"),
# Tavrelo's warnings, and what it links, publicly or privately. Which folder
# may include which is not left to the include path: a test reads every
# #include of the product (tests/layering).
function(tavrelo_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK;LINK_PRIVATE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  add_library(tavrelo::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>")
  target_link_libraries(${name} PUBLIC ${ARG_LINK} PRIVATE ${ARG_LINK_PRIVATE})
  tavrelo_set_warnings(${name})
endfunction()
