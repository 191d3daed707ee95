# Installs the public header, the static libraries, the fonts' licence, a
# CMake package (find_package(kelto): kelto::kelto, kelto::main) and a
# pkg-config file (kelto.pc).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KELTO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kelto)

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

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/LICENSE.fonts
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
