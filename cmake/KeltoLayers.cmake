# The library is a stack of layers, one per folder of lib/, each an object
# library that links only the layers below it. A layer's headers are reached
# as "<folder>/<file>.h" through an include root in the build tree that shows
# that one folder, so a layer sees the headers of the layers it links and no
# others: an include that points up the stack does not build.

# kelto_add_layer(<folder> [LINKS <targets>...] SOURCES <files>...)
# Makes the object library kelto_<folder> from the sources of lib/<folder>.
function(kelto_add_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "SOURCES;LINKS")
  set(root ${PROJECT_BINARY_DIR}/include-roots/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  add_library(kelto_${folder} OBJECT ${LAYER_SOURCES})
  target_include_directories(kelto_${folder} PUBLIC $<BUILD_INTERFACE:${root}>)
  target_link_libraries(kelto_${folder} PUBLIC ${LAYER_LINKS} PRIVATE kelto_warnings)
  set_property(GLOBAL APPEND PROPERTY KELTO_LAYERS kelto_${folder})
  set_property(GLOBAL APPEND PROPERTY KELTO_INCLUDE_ROOTS ${root})
endfunction()
