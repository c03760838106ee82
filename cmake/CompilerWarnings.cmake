# Warnings for Tavrelo's own targets. Third-party headers (Qt, GoogleTest,
# Google Benchmark) come in as system includes and stay quiet.
function(tavrelo_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
    if(TAVRELO_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
      -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
      # g++ 12 also warns of members left out of a designated initializer,
      # which the control inventory does on purpose (they keep their defaults).
      -Wno-missing-field-initializers)
    if(TAVRELO_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()
