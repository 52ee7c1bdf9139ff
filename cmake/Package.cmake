# `cpack` makes a Debian package of the game (the "game" component only: the
# engine's development files are for `cmake --install`). Build it from a
# release build without sanitizers, or the package would depend on their
# runtimes.
set(CPACK_PACKAGE_NAME cinderwatch)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Cinderwatch developers <cinderwatch@users.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tower-defence game drawn in coloured text characters")
set(CPACK_PACKAGE_DESCRIPTION "Enemies walk a track towards your treasure in endless waves; buy turrets \
and place them beside the track with the mouse. Drawn on a grid of 80 x 24 \
coloured text characters, on the small zp 2-D engine.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The SFML runtime libraries come from dpkg-shlibdeps; the font from here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)
