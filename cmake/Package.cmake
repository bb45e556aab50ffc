# `cpack -G DEB` in the build folder makes marvolenta_VERSION_ARCH.deb from what
# cmake/Install.cmake installs. The library dependencies are read off the installed
# executables by dpkg-shlibdeps, so they follow whatever the build links against; the
# application font comes from Debian's font package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marvolenta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Marvolenta Control Systems")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Touch-panel project editor")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION [=[
Designs the pages, sub-pages and controls that wall-mounted and tabletop
touch panels show, and sends finished projects to panel devices on the
local network.

Includes mvltool (project checks, rendering, packing and sending from the
command line) and panelsim (a panel device simulator).]=])
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.marvolenta.example")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Install scripts see the final prefix (/usr), so the font link can be made relative to it.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Marvolenta maintainers <maintainers@users.noreply.c-seed-0a62189d.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${MVL_CJK_FONT_PACKAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# The desktop entry and the file type take effect in the desktop's caches.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_SOURCE_DIR}/cmake/debian/postinst;${CMAKE_SOURCE_DIR}/cmake/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
