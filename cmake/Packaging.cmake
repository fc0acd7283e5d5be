# The Debian package (cpack -G DEB in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr): what `cmake --install` puts under the prefix,
# with the library dependencies found by dpkg-shlibdeps and the ones it cannot
# see (the Qt platform plugins are loaded at run time, the font by name).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sonivel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Sonivel developers")
set(CPACK_PACKAGE_CONTACT "The Sonivel developers <sonivel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop companion for a handheld sound level meter")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sonivel shows the live reading of a sound level meter on its USB serial
bridge, presses the meter's keys remotely, records the level with running
statistics, draws it as a zoomable graph, downloads the meter's data logger,
saves and reads data text files, exports spreadsheet text and CSV, prints and
makes PDF noise reports.
.
sonivel-log and sonivel-report do the same without a window;
sonivel-meter-sim plays the meter on a pseudo-terminal.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/sonivel/sonivel")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# Help > Contents opens the guide in the desktop's browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
