# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The icon library Emul.icl: zelvane-icongen paints our icons, zelvane-iclmake packs them in group order.
# The keys follow the painter's order, which is the icon index the catalogue refers to.
set(ZELVANE_ICON_KEYS
  nes snes gameboy gameboycolor gameboyadvance n64 ds mastersystem gamegear megadrive
  pcengine playstation atari2600 lynx wonderswan
  battery savestate memorycard floppy save)

set(_zelvane_icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(_zelvane_icon_files)
set(_zelvane_icon_index 0)
foreach(_zelvane_icon_key IN LISTS ZELVANE_ICON_KEYS)
  set(_zelvane_icon_number ${_zelvane_icon_index})
  if(_zelvane_icon_index LESS 10)
    set(_zelvane_icon_number 0${_zelvane_icon_index})
  endif()
  list(APPEND _zelvane_icon_files ${_zelvane_icon_dir}/${_zelvane_icon_number}-${_zelvane_icon_key}.ico)
  math(EXPR _zelvane_icon_index "${_zelvane_icon_index} + 1")
endforeach()

add_custom_command(
  OUTPUT ${_zelvane_icon_files}
  COMMAND zelvane-icongen ${_zelvane_icon_dir}
  DEPENDS zelvane-icongen
  COMMENT "Painting the icons of Emul.icl"
  VERBATIM)

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/bin/Emul.icl
  COMMAND zelvane-iclmake -o ${CMAKE_BINARY_DIR}/bin/Emul.icl ${_zelvane_icon_files}
  DEPENDS zelvane-iclmake ${_zelvane_icon_files}
  COMMENT "Packing Emul.icl"
  VERBATIM)

list(APPEND ZELVANE_ASSET_FILES ${CMAKE_BINARY_DIR}/bin/Emul.icl)
