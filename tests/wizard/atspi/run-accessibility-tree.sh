#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built wizard as a screen reader meets it: on its own session bus with the accessibility
# bus, under Xvfb, in a home and desktop of the test's own; accessibility_tree.py reads the tree.
# Usage: run-accessibility-tree.sh ZELVANE_BINARY. Status 77 (skipped) without the tools it needs.
set -eu
binary=$1
here=$(cd "$(dirname "$0")" && pwd)

python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import pyatspi' 2>/dev/null; then python=$candidate; break; fi
done
for tool in dbus-run-session xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (scripts/setup.sh installs it)"; exit 77; }
done
[ -n "$python" ] || { echo "skipped: python3-pyatspi is not installed (scripts/setup.sh installs it)"; exit 77; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
export HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share"
export XDG_CACHE_HOME="$root/home/.cache" XDG_RUNTIME_DIR="$root/runtime"
export XDG_CONFIG_DIRS="$root/system-config" PATH="$root/bin:$PATH"
mkdir -p "$XDG_CONFIG_HOME/Zelvane" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$root/system/applications" "$root/bin"
chmod 700 "$XDG_RUNTIME_DIR"
ln -s /usr/share/mime "$root/system/mime"

# The system's NES type has an application, so the .nes box shows its warning; the first emulator
# is found and the second is not, whatever the machine has installed.
cat > "$root/system/applications/org.example.NesPlayer.desktop" <<'ENTRY'
[Desktop Entry]
Type=Application
Name=NES Player
Exec=/bin/true %f
MimeType=application/x-nes-rom;
ENTRY
printf '#!/bin/sh\n' > "$root/bin/zelvane-test-emulator"
chmod +x "$root/bin/zelvane-test-emulator"
cat > "$XDG_CONFIG_HOME/Zelvane/Zelvane.ini" <<'CATALOGUE'
[Console]
01=Nintendo Entertainment System
[01]
ext1=nes
ext2=fds
romname=Test.NES.Rom
savname=Test.NES.Save
emu1=zelvane-test-emulator "%1"
emu2=zelvane-missing-emulator "%1"
sav1=fc0
cartico=3
saveico=16
CATALOGUE
# The Expert level shows all five pages; no language yet: the first run's panel asks for it.
printf '[Options]\nNiveau=Expert\n' > "$XDG_CONFIG_HOME/Zelvane/Zelvane.conf"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
# The wizard alone gets the test's XDG_DATA_DIRS: the accessibility bus reads its settings from
# the system's.
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" \
  "$python" "$here/accessibility_tree.py" "$binary" "$root/system"
