# The Debian package: cpack -G DEB in the build folder makes
# celestrix_<version>_<arch>.deb, installing under /usr.

set(CELESTRIX_PACKAGE_MAINTAINER "The Celestrix developers <maintainers@celestrix.invalid>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME celestrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Celestrix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "links to sky-survey images of deep-sky objects")
# Debian wraps nothing: the lines are kept short here.
set(CPACK_PACKAGE_DESCRIPTION [=[
Celestrix is a small desktop tool for observers of the night sky. Pick a
deep-sky object by its Messier, NGC or IC number, or type J2000 coordinates,
choose a photographic sky survey and a field of view, and Celestrix makes
the query link for the Digitized Sky Survey image service, saves it as an
Internet shortcut and opens it in the web browser.

The Messier, NGC and IC catalogue it looks objects up in is a plain-text
file adapted from OpenNGC, which users may extend. German, French and
Spanish captions for the window are included.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CELESTRIX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps; what it loads or
# starts at run time is listed: Qt's X11 platform plugin, the window's fonts
# (DejaVu Sans Condensed is in fonts-dejavu-extra) and xdg-open, which opens
# the link in the browser.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-dejavu-extra, xdg-utils")

include(CPack)
