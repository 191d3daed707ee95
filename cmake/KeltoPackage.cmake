# CPack, which makes the packages from the install rules: the Debian package
# on Linux (make deb; set up by KeltoDebian.cmake) and the release zip on
# Windows (make windows; KeltoWindowsZip.cmake). Included last, when every
# install rule is known.
set(CPACK_PACKAGE_NAME kelto)
set(CPACK_PACKAGE_VENDOR "The KELTO developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
