# Checks that every path docs/internals.md names exists: every span in
# backticks that looks like a path into the repository (it has a slash, and
# no space or placeholder such as <name>).
# Run as: cmake -DROOT=<repository> -P internals_paths.cmake
get_filename_component(ROOT ${ROOT} ABSOLUTE)
set(guide ${ROOT}/docs/internals.md)
file(READ ${guide} text)
string(REGEX MATCHALL "`[^`]+`" spans "${text}")

set(named 0)
set(missing "")
foreach(span IN LISTS spans)
  string(REGEX REPLACE "^`(.*)`$" "\\1" path "${span}")
  if(NOT path MATCHES "/" OR path MATCHES "[ <>*\"(),]")
    continue()
  endif()
  math(EXPR named "${named} + 1")
  if(NOT EXISTS ${ROOT}/${path})
    list(APPEND missing ${path})
  endif()
endforeach()

if(named EQUAL 0)
  message(FATAL_ERROR "${guide} names no path at all")
endif()
if(missing)
  list(REMOVE_DUPLICATES missing)
  list(JOIN missing "\n  " shown)
  message(FATAL_ERROR "${guide} names paths that do not exist:\n  ${shown}")
endif()
message(STATUS "All ${named} paths named by ${guide} exist")
