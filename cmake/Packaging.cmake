# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by `cpack -G DEB` in the build folder from what `cmake --install` puts
# under /usr. Its dependencies are the libraries the program links (found by dpkg-shlibdeps), the
# Qt platform plugins that open its window, and the desktop tools the association writer runs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvane)
set(CPACK_PACKAGE_VERSION ${ZELVANE_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zelvane developers")
set(CPACK_PACKAGE_CONTACT "The Zelvane developers <${ZELVANE_MAIL_ADDRESS}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wizard associating console ROM files with an emulator")
set(CPACK_PACKAGE_DESCRIPTION [=[
Zelvane is a small wizard for people who keep video-game ROMs and emulators.
Pick a console from its catalogue, tick the ROM and save-state extensions to
register, pick the emulator command line and two icons: on Finish, Zelvane
writes the file associations, so that opening a ROM starts the emulator with
it and the file manager shows the chosen icons.

The associations are kept in a per-user registry hive (a .reg file) and
published through the freedesktop.org standards (shared-mime-info, desktop
entries, mimeapps.list, the hicolor icon theme), so Nautilus, Dolphin,
gio open and, inside a GNOME or KDE session, xdg-open follow them. The wizard
speaks English and French.]=])

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# No Homepage field: the project has no web page to point at yet.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, shared-mime-info, desktop-file-utils, gtk-update-icon-cache, xdg-utils")
# Qt's own dialogs (the file dialog of the icon window) in French.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
