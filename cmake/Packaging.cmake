# `cpack` in the build folder makes a Debian package of what `cmake --install`
# puts in place, for /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ruler)
set(CPACK_PACKAGE_VENDOR Ostrel)
set(CPACK_PACKAGE_CONTACT "Ostrel <ostrel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION
    "A borderless strip laid over anything on the screen, with a scale in pixels,
inches or millimetres along both long edges, real ones once calibrated against
a physical ruler. The user interface is in Simplified Chinese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the program links, found by dpkg-shlibdeps, and Qt's plugin
# for X11, without which it cannot open a window and which nothing links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own dialogs in Chinese, and a font with the Chinese characters.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk")

include(CPack)
