# The Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME nuperako)
set(CPACK_PACKAGE_VENDOR "The nuperako developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Classroom probability experiment on three-player rock-paper-scissors")
set(CPACK_PACKAGE_DESCRIPTION "Three players show random hands every round; the class watches the shares
of draws, single winners and single losers settle towards 1/3, by hand or
automatically, with a tally board, a live ratio graph and a help window, all
in Japanese.")
# No mailbox of its own yet: example.org is the domain reserved for examples.
set(CPACK_PACKAGE_CONTACT "The nuperako developers <nuperako@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# Shared libraries are found by dpkg-shlibdeps; the font is read by name and Qt's SQLite
# driver is a plugin that nuperako-class loads by name, so both are declared.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-horai-umefont, libqt6sql6-sqlite")
# The service's settings are the administrator's: an upgrade keeps their edits.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/resources/debian/conffiles)
include(CPack)
