# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What makes Zelvane a desktop application on Linux: the menu entry, the program's icon in the
# hicolor theme, the AppStream metadata with its screenshots, the manual page and the package's
# copyright and changelog. Everything is made at build time and installed under share/.
set(_zelvane_share ${CMAKE_BINARY_DIR}/share)

# The program's icon, painted by zelvane-icongen at every size of the hicolor theme.
set(ZELVANE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(_zelvane_theme ${_zelvane_share}/icons/hicolor)
set(_zelvane_app_icons ${_zelvane_theme}/scalable/apps/zelvane.svg)
foreach(_zelvane_size IN LISTS ZELVANE_ICON_SIZES)
  list(APPEND _zelvane_app_icons ${_zelvane_theme}/${_zelvane_size}x${_zelvane_size}/apps/zelvane.png)
endforeach()
add_custom_command(OUTPUT ${_zelvane_app_icons}
  COMMAND zelvane-icongen --application ${_zelvane_theme}
  DEPENDS zelvane-icongen
  COMMENT "Painting the program's icon"
  VERBATIM)

# Pictures of the wizard for the AppStream metadata, taken over the shipped catalogue.
set(_zelvane_screenshots)
foreach(_zelvane_page console extensions emulator icons)
  list(APPEND _zelvane_screenshots ${_zelvane_share}/screenshots/wizard-${_zelvane_page}.png)
endforeach()
add_custom_command(OUTPUT ${_zelvane_screenshots}
  # Under the sanitizers, the toolkit's own allocations kept until exit are no leak of ours.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:zelvane-screenshots> ${CMAKE_BINARY_DIR}/bin ${_zelvane_share}/screenshots
  DEPENDS zelvane-screenshots ${ZELVANE_ASSET_FILES}
  COMMENT "Taking the screenshots of the wizard"
  VERBATIM)

configure_file(org.zelvane.Zelvane.metainfo.xml.in ${_zelvane_share}/${ZELVANE_APP_ID}.metainfo.xml @ONLY)
configure_file(zelvane.1.in ${_zelvane_share}/zelvane.1 @ONLY)
configure_file(changelog.in ${_zelvane_share}/changelog @ONLY)
configure_file(copyright.in ${_zelvane_share}/copyright @ONLY)

# Debian wants manual pages and changelogs compressed at the highest level, without a time stamp.
set(_zelvane_compressed)
foreach(_zelvane_text zelvane.1 changelog)
  add_custom_command(OUTPUT ${_zelvane_share}/${_zelvane_text}.gz
    COMMAND gzip -9n -c ${_zelvane_share}/${_zelvane_text} > ${_zelvane_share}/${_zelvane_text}.gz
    DEPENDS ${_zelvane_share}/${_zelvane_text}
    COMMENT "Compressing ${_zelvane_text}")
  list(APPEND _zelvane_compressed ${_zelvane_share}/${_zelvane_text}.gz)
endforeach()

add_custom_target(zelvane_desktop_files ALL DEPENDS ${_zelvane_app_icons} ${_zelvane_screenshots} ${_zelvane_compressed})

install(FILES ${ZELVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_zelvane_share}/${ZELVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${_zelvane_theme} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${_zelvane_screenshots} DESTINATION ${CMAKE_INSTALL_DATADIR}/zelvane/screenshots)
install(FILES ${_zelvane_share}/zelvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_zelvane_share}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelvane)
install(FILES ${_zelvane_share}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelvane)
