# The Debian package, made by `cpack -G DEB` in a build tree (scripts/package)
# from the same install rules as `cmake --install`. Its dependencies are what
# dpkg-shlibdeps finds the binaries linked against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glimora)
set(CPACK_PACKAGE_VENDOR "The Glimora developers")
set(CPACK_PACKAGE_CONTACT "The Glimora developers <developers@glimora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "face whose eyes follow the mouse pointer")
set(CPACK_PACKAGE_DESCRIPTION "Glimora puts a face on the desktop whose eyes follow the mouse pointer,
wherever it is on the screen. The window has no border, takes the shape of
the face and stays above other windows.

Faces come from skins: folders of BMP pictures that anyone can draw. Five
skins come with it, and the skin checker, glimora-check, tells a skin's
author what it finds in a new one.")
# Not "games": Debian keeps games' programs in /usr/games, this one lives in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://glimora.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The extension's entry loads in one range of GNOME Shell versions only.
set(CPACK_DEBIAN_PACKAGE_BREAKS "${GLIMORA_GNOME_SHELL_BREAKS}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Installed as a user's `cmake --install` would, with DESTDIR, so that what is
# written at install time (the desktop entry) names the final paths.
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
# Read by the last step before packing (see that file).
set(CPACK_GLIMORA_CHANGELOG "${CMAKE_CURRENT_LIST_DIR}/../data/debian/changelog")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/package_deb_finish.cmake")
include(CPack)
