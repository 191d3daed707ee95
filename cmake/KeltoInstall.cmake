# Installs KELTO for building programs against it: the public header, the
# static libraries, a CMake package (find_package(kelto): kelto::kelto,
# kelto::main, kelto::replay, kelto_add_program) and pkg-config files (kelto,
# kelto-replay); the documentation (reference, cheatsheet and guides as HTML),
# the examples' sources with their scripts and the starter folder; and the
# licences. The packages (KeltoPackage.cmake) are made from these rules.
#
# Components: everything but the licences is in the default component,
# "kelto" (set at the top, so that every install rule of the project lands
# there); the licences are the component "licences", which the Debian package
# leaves out: its copyright file holds them (KeltoDebian.cmake).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KELTO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kelto)
# The documentation and the examples: share/doc/kelto under a prefix, folders
# of their own at the top of the Windows zip.
if(WIN32)
  set(KELTO_DOC_DIR doc)
  set(KELTO_EXAMPLES_DIR examples)
else()
  set(KELTO_DOC_DIR ${CMAKE_INSTALL_DOCDIR})
  set(KELTO_EXAMPLES_DIR ${CMAKE_INSTALL_DOCDIR}/examples)
endif()

# ---- The library and its package files

set(KELTO_INSTALLED_TARGETS kelto kelto_main)
if(TARGET kelto_replay)
  list(APPEND KELTO_INSTALLED_TARGETS kelto_replay)
endif()
install(TARGETS ${KELTO_INSTALLED_TARGETS} EXPORT kelto-targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/kelto.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT kelto-targets NAMESPACE kelto:: DESTINATION ${KELTO_CMAKE_DIR})

if(TARGET kelto_replay)
  set(KELTO_HAS_REPLAY ON)
else()
  set(KELTO_HAS_REPLAY OFF)
endif()
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kelto-config.cmake.in
  ${PROJECT_BINARY_DIR}/kelto-config.cmake INSTALL_DESTINATION ${KELTO_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kelto-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kelto-config.cmake
  ${PROJECT_BINARY_DIR}/kelto-config-version.cmake ${PROJECT_SOURCE_DIR}/cmake/KeltoProgram.cmake
  DESTINATION ${KELTO_CMAKE_DIR})

# The display's pkg-config module and system libraries (KeltoDisplays.cmake).
string(STRIP "freetype2 ${KELTO_DISPLAY_PKG_CONFIG}" KELTO_PC_REQUIRES)
set(KELTO_PC_LIBS_PRIVATE "-lstdc++ -lm")
foreach(library IN LISTS KELTO_DISPLAY_LIBRARIES)
  if(NOT library MATCHES "::")
    string(APPEND KELTO_PC_LIBS_PRIVATE " -l${library}")
  endif()
endforeach()
# Paths in the .pc file are relative to where it is installed, so the prefix
# can be moved.
file(RELATIVE_PATH KELTO_PC_INCLUDE_FROM_PC /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig
  /prefix/${CMAKE_INSTALL_INCLUDEDIR})
set(KELTO_PC_NAME kelto)
set(KELTO_PC_ENTRY kelto_main)
configure_file(${PROJECT_SOURCE_DIR}/cmake/kelto.pc.in ${PROJECT_BINARY_DIR}/kelto.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kelto.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(TARGET kelto_replay)
  # The same programs as replay runners: kelto-replay.pc.
  set(KELTO_PC_NAME kelto-replay)
  set(KELTO_PC_ENTRY kelto_replay)
  string(APPEND KELTO_PC_REQUIRES " libpng")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/kelto.pc.in ${PROJECT_BINARY_DIR}/kelto-replay.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/kelto-replay.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

# ---- Documentation, examples and licences

# The HTML documentation: this tree's (docs/CMakeLists.txt), or in a cross
# build, which cannot run the replay runners that draw the reference's
# pictures, a native tree's.
set(KELTO_DOCS_FROM "" CACHE PATH
  "A native build's docs/html, installed by a cross build that makes no documentation")
if(KELTO_BUILD_DOCS)
  install(DIRECTORY ${PROJECT_BINARY_DIR}/docs/html/ DESTINATION ${KELTO_DOC_DIR}/html)
elseif(KELTO_DOCS_FROM)
  install(DIRECTORY ${KELTO_DOCS_FROM}/ DESTINATION ${KELTO_DOC_DIR}/html)
else()
  message(WARNING "No documentation is installed: set KELTO_DOCS_FROM to a native build's docs/html")
endif()

include(${PROJECT_SOURCE_DIR}/cmake/KeltoExamples.cmake)
foreach(example IN LISTS KELTO_EXAMPLES)
  install(FILES ${PROJECT_SOURCE_DIR}/examples/${example}.cpp
    ${KELTO_EXAMPLE_SCRIPTS}/${example}.scr DESTINATION ${KELTO_EXAMPLES_DIR})
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/starter DESTINATION ${KELTO_EXAMPLES_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/LICENSE.fonts
  ${PROJECT_SOURCE_DIR}/LICENSE.freetype DESTINATION ${KELTO_DOC_DIR} COMPONENT licences)

if(WIN32)
  include(${PROJECT_SOURCE_DIR}/cmake/KeltoWindowsZip.cmake)
else()
  include(${PROJECT_SOURCE_DIR}/cmake/KeltoDebian.cmake)
endif()
include(${PROJECT_SOURCE_DIR}/cmake/KeltoPackage.cmake)
