# The Windows release zip, kelto-<version>-windows-x86_64.zip holding one
# folder of that name (make windows). Besides the library, its package files,
# documentation and examples (KeltoInstall.cmake) it holds the card designer
# and the examples as single .exe files, each example beside its source;
# FreeType's static library and headers, where the package's
# find_dependency(Freetype) finds them; the toolchain file for cross-building
# against the unzipped folder from Linux; winpthreads' licence, since every
# .exe contains it; and README.txt with Windows line ends.
if(TARGET card_designer)
  install(TARGETS card_designer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
foreach(example IN LISTS KELTO_EXAMPLES)
  if(TARGET ${example})
    install(TARGETS ${example} RUNTIME DESTINATION ${KELTO_EXAMPLES_DIR})
  endif()
endforeach()

install(DIRECTORY ${FREETYPE_INCLUDE_DIR_ft2build}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/freetype2)
install(FILES ${FREETYPE_LIBRARY_RELEASE} DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/cmake/toolchains/mingw-w64-x86_64.cmake
  DESTINATION ${KELTO_CMAKE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE.winpthreads DESTINATION ${KELTO_DOC_DIR}
  COMPONENT licences)

configure_file(${PROJECT_SOURCE_DIR}/packaging/windows-readme.txt.in
  ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME kelto-${PROJECT_VERSION}-windows-x86_64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
