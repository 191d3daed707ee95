# Embeds the two DejaVu fonts into the library at build time, so text never
# depends on the fonts installed where a program runs. The fonts come from
# KELTO_FONT_DIR (by default where Debian's fonts-dejavu-core puts them); each
# is turned into a C++ source, rebuilt when the font changes.
set(KELTO_FONT_DIR /usr/share/fonts/truetype/dejavu CACHE PATH
  "Folder holding DejaVuSans.ttf and DejaVuSansMono.ttf, embedded into the library")

foreach(font IN ITEMS DejaVuSans DejaVuSansMono)
  if(NOT EXISTS ${KELTO_FONT_DIR}/${font}.ttf)
    message(FATAL_ERROR
      "${font}.ttf was not found in KELTO_FONT_DIR (${KELTO_FONT_DIR}); install the "
      "fonts-dejavu-core package (apt-get install fonts-dejavu-core) or set KELTO_FONT_DIR")
  endif()
endforeach()

foreach(pair IN ITEMS "DejaVuSans;font_sans" "DejaVuSansMono;font_mono")
  list(GET pair 0 font)
  list(GET pair 1 symbol)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${KELTO_FONT_DIR}/${font}.ttf -DOUTPUT=${source}
            -DSYMBOL=${symbol} -P ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake
    DEPENDS ${KELTO_FONT_DIR}/${font}.ttf ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake
    COMMENT "Embedding ${font}.ttf"
    VERBATIM)
  target_sources(kelto_draw PRIVATE ${source})
endforeach()
