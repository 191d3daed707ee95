# kelto_add_web_page(<name>)
# In the browser build, puts the program <name> on a web page of its own:
# <name>.html beside <name>.js and <name>.wasm at the top of the build tree,
# with the scripts (the page's and its program worker's) and style every
# page shares.
function(kelto_add_web_page name)
  # Found from this file, so that a project using KELTO as a subproject can call it.
  set(KELTO_WEB_PAGE_DIR ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../lib/platform/web/page)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  set(KELTO_PAGE_PROGRAM ${name})
  configure_file(${KELTO_WEB_PAGE_DIR}/page.html.in ${CMAKE_BINARY_DIR}/${name}.html @ONLY)
  foreach(asset IN ITEMS kelto_web.js kelto_worker.js kelto_web.css)
    configure_file(${KELTO_WEB_PAGE_DIR}/${asset} ${CMAKE_BINARY_DIR}/${asset} COPYONLY)
  endforeach()
endfunction()
