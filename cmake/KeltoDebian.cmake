# The Debian package, kelto_<version>-1_amd64.deb (make deb): everything the
# install rules install but the loose licence files, and two files of its
# own, installed only into it (the component "debian"):
# /usr/share/doc/kelto/copyright, with every licence in Debian's
# machine-readable format, and changelog.Debian.gz, made from CHANGELOG.md.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(KELTO_PACKAGE_MAINTAINER "The KELTO developers <kelto@example.org>" CACHE STRING
  "Name and e-mail address of whoever makes the Debian package")
# The package of KELTO's own release, not of Debian's: revision 1.
set(revision 1)

set(debian ${PROJECT_BINARY_DIR}/debian)
set(maker ${PROJECT_SOURCE_DIR}/packaging/debian_files.py)
set(licences ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/LICENSE.fonts
  ${PROJECT_SOURCE_DIR}/LICENSE.freetype)
add_custom_command(OUTPUT ${debian}/copyright ${debian}/changelog.Debian.gz
  COMMAND Python3::Interpreter ${maker} --out ${debian} --version ${PROJECT_VERSION}
          --revision ${revision} --maintainer ${KELTO_PACKAGE_MAINTAINER}
          --changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md --ours ${PROJECT_SOURCE_DIR}/LICENSE
          --fonts ${PROJECT_SOURCE_DIR}/LICENSE.fonts --freetype ${PROJECT_SOURCE_DIR}/LICENSE.freetype
  DEPENDS ${maker} ${licences} ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  COMMENT "Making the Debian package's copyright and changelog"
  VERBATIM)
add_custom_target(kelto_debian_files ALL
  DEPENDS ${debian}/copyright ${debian}/changelog.Debian.gz)
install(FILES ${debian}/copyright ${debian}/changelog.Debian.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL kelto debian)
set(CPACK_DEBIAN_PACKAGE_NAME kelto)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${revision})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KELTO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# What building a program needs: a compiler and the libraries that the static
# KELTO libraries use, and Python for kelto-grade. What helps: the two ways of
# building, the sandbox kelto-grade grades in, and a virtual X server for
# running programs on a machine without a desktop.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "g++ | c++-compiler, libfreetype-dev, libpng-dev, qt6-base-dev, python3")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cmake, pkg-config, bubblewrap")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xvfb")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graphics and event library for beginners' first programs")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "KELTO is a small C++ graphics and event library for beginners' programs: a
program is a plain loop that draws, waits for one event (a click, a key, a
tick) and acts on it. It shows a graphics window and a text window that
describes every drawing call in English, animates, halts and single-steps
from its Run menu, and records and replays the events to a script file.
.
This package holds the header, the static libraries, the CMake package
(find_package(kelto)) and pkg-config files (kelto, kelto-replay), the
reference with a picture of every drawing call, a cheatsheet, the tutorial
and the example programs' sources.")
