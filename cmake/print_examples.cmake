# Script mode: prints the examples of KeltoExamples.cmake, one a line, for
# the shell scripts that go through them.
#   cmake -P cmake/print_examples.cmake
include(${CMAKE_CURRENT_LIST_DIR}/KeltoExamples.cmake)
foreach(example IN LISTS KELTO_EXAMPLES)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${example})
endforeach()
