# kelto_add_program(<name> <sources>...)
# Makes the KELTO program <name>, and beside it <name>-replay: the same
# program as a command-line runner that plays a script on the headless
# display and writes what the program showed (see docs/grading.md). Link
# further libraries to both targets, e.g.
#   target_link_libraries(<name> PRIVATE lib)  and  <name>-replay.
# In the browser build, <name> is a web page instead (KeltoWebPage.cmake).
if(EMSCRIPTEN)
  include(${CMAKE_CURRENT_LIST_DIR}/KeltoWebPage.cmake)
endif()

function(kelto_add_program name)
  if(NOT ARGN)
    message(FATAL_ERROR "kelto_add_program(${name}) needs the program's sources")
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE kelto::kelto kelto::main)
  if(EMSCRIPTEN)
    kelto_add_web_page(${name})
  endif()
  if(TARGET kelto::replay)
    add_executable(${name}-replay ${ARGN})
    target_link_libraries(${name}-replay PRIVATE kelto::kelto kelto::replay)
  endif()
endfunction()
