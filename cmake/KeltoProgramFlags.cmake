# In the browser build: writes program-flags.txt, how a program built outside
# this build links KELTO for the browser, one setting a line: the include
# folders, the libraries in link order, the link options and the page
# template. scripts/web-class.sh builds each student's page from it with
# em++ in a sandbox, where CMake does not run.
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/program-flags.txt CONTENT
"include=$<JOIN:$<TARGET_PROPERTY:kelto,INTERFACE_INCLUDE_DIRECTORIES>,\ninclude=>
library=$<TARGET_FILE:kelto_main>
library=$<TARGET_FILE:kelto>
library=$<TARGET_LINKER_FILE:Freetype::Freetype>
link_option=$<JOIN:$<TARGET_PROPERTY:kelto,INTERFACE_LINK_OPTIONS>,\nlink_option=>
page=${PROJECT_SOURCE_DIR}/lib/platform/web/page/page.html.in
")
