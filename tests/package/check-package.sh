#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a release build and checks it as a distribution and a user would:
# lintian --pedantic, its file list and dependencies, then the unpacked tree: the program runs from
# it and shows the wizard over its own catalogue and icon library, and the menu entry, metadata,
# icons and manual page pass their own validators. The tags accepted from lintian and appstreamcli
# are listed, with their reasons, in accepted-tags beside this script.
# Usage: tests/package/check-package.sh BUILD_FOLDER (a built release folder, e.g. build/release)
set -euo pipefail

build=$(cd "${1:?usage: $0 BUILD_FOLDER}" && pwd)
accepted=$(cd "$(dirname "$0")" && pwd)/accepted-tags
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# TOOL's tags in REPORT (lines "X: what: tag ...") must be exactly those accepted-tags lists for it:
# an unlisted one is a new problem, a listed one no longer printed is a reason that went stale.
check_tags() {
  local tool=$1 report=$2 reported listed unlisted stale
  reported=$(awk '/^[A-Z]: / {print $3}' "$report" | sort -u)
  listed=$(awk -v tool="$tool" '$1 == tool {print $2}' "$accepted" | sort -u)
  unlisted=$(comm -23 <(echo "$reported") <(echo "$listed") | sed '/^$/d')
  stale=$(comm -13 <(echo "$reported") <(echo "$listed") | sed '/^$/d')
  if [ -z "$unlisted$stale" ]; then pass "$tool"; return; fi
  [ -z "$unlisted" ] || fail "$tool reports tags accepted-tags does not list:" $unlisted
  [ -z "$stale" ] || fail "accepted-tags lists $tool tags no longer reported:" $stale
}

rm -f "$build"/zelvane_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$build"/zelvane_*.deb)
echo "package: $deb"

# Every tag counts, down to the pedantic and experimental ones.
lintian --pedantic --display-info --display-experimental "$deb" 2>/dev/null >"$work/lintian.txt" || true
cat "$work/lintian.txt"
check_tags lintian "$work/lintian.txt"

expected_files="usr/bin/zelvane
usr/lib/zelvane/Emul.icl
usr/lib/zelvane/Zelvane.ini
usr/lib/zelvane/zelvane
usr/share/applications/org.zelvane.Zelvane.desktop
usr/share/doc/zelvane/changelog.gz
usr/share/doc/zelvane/copyright
usr/share/icons/hicolor/128x128/apps/zelvane.png
usr/share/icons/hicolor/16x16/apps/zelvane.png
usr/share/icons/hicolor/22x22/apps/zelvane.png
usr/share/icons/hicolor/24x24/apps/zelvane.png
usr/share/icons/hicolor/256x256/apps/zelvane.png
usr/share/icons/hicolor/32x32/apps/zelvane.png
usr/share/icons/hicolor/48x48/apps/zelvane.png
usr/share/icons/hicolor/64x64/apps/zelvane.png
usr/share/icons/hicolor/scalable/apps/zelvane.svg
usr/share/man/man1/zelvane.1.gz
usr/share/metainfo/org.zelvane.Zelvane.metainfo.xml
usr/share/zelvane/screenshots/wizard-console.png
usr/share/zelvane/screenshots/wizard-emulator.png
usr/share/zelvane/screenshots/wizard-extensions.png
usr/share/zelvane/screenshots/wizard-icons.png"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort)
if [ "$files" = "$(sort <<<"$expected_files")" ]; then pass "file list"; else
  fail "file list differs:"; diff <(sort <<<"$expected_files") <(echo "$files") || true; fi
link=$(dpkg-deb -c "$deb" | awk '$6 == "./usr/bin/zelvane" {print $8}')
[ "$link" = "../lib/zelvane/zelvane" ] && pass "zelvane link on the PATH" || fail "usr/bin/zelvane points to '$link'"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libc6 qt6-qpa-plugins shared-mime-info desktop-file-utils gtk-update-icon-cache xdg-utils; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
for field in Maintainer Description Section; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field field"
done
pass "control fields"

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/zelvane" --version)
[ "$version" = "Zelvane 1.51b" ] && pass "--version without a display" || fail "--version printed '$version'"

desktop=$share/applications/org.zelvane.Zelvane.desktop
if desktop-file-validate "$desktop" >"$work/desktop.txt" 2>&1 && [ ! -s "$work/desktop.txt" ]; then
  pass "desktop-file-validate"; else fail "desktop-file-validate: $(cat "$work/desktop.txt")"; fi
for line in 'Icon=zelvane' 'Name\[fr\]=' 'Comment\[fr\]=' 'Keywords=.*emulator' 'StartupWMClass=Zelvane' 'Exec=zelvane$'; do
  grep -qE "^$line" "$desktop" || fail "the menu entry lacks $line"
done
appstreamcli validate --pedantic --no-net "$share/metainfo/org.zelvane.Zelvane.metainfo.xml" >"$work/appstream.txt" 2>&1 \
  || fail "appstreamcli validate: $(cat "$work/appstream.txt")"
cat "$work/appstream.txt"
check_tags appstreamcli "$work/appstream.txt"
if man --warnings -E UTF-8 -l -Tutf8 -Z "$share/man/man1/zelvane.1.gz" 2>"$work/man.txt" >/dev/null \
  && [ ! -s "$work/man.txt" ]; then pass "manual page"; else fail "manual page: $(cat "$work/man.txt")"; fi

# Each size in a folder the system's hicolor theme lists, each PNG as large as its folder says.
index=/usr/share/icons/hicolor/index.theme
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/zelvane.png
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  width=$(( (w1 << 24) + (w2 << 16) + (w3 << 8) + w4 )); height=$(( (h1 << 24) + (h2 << 16) + (h3 << 8) + h4 ))
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$png is ${width}x${height}"
  grep -q "^\[${size}x${size}/apps\]" "$index" || fail "hicolor lists no ${size}x${size}/apps"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/zelvane.svg" || fail "the scalable icon is no SVG"
pass "icons"

# The unpacked program on the offscreen platform, with a home of its own: it reads the catalogue
# beside it (as traced), copies its icon library and keeps running with the wizard. Its system data
# folder holds the system's MIME database and no application: the machine's own stay out of it.
run_home() {
  local home=$1
  mkdir -p "$home/config/Zelvane" "$home/system/applications"
  ln -s /usr/share/mime "$home/system/mime"
  printf '[Options]\nLangue=US\nNiveau=Expert\n' >"$home/config/Zelvane/Zelvane.conf"
  echo "HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_DATA_DIRS=$home/system"
}
home=$work/offscreen
env $(run_home "$home") QT_QPA_PLATFORM=offscreen \
  strace -f -qq -e trace=openat -o "$work/trace.txt" "$root/usr/bin/zelvane" 2>"$work/offscreen.txt" &
tracer=$!
sleep 3
program=$(pgrep -P "$tracer" || true)
if [ -n "$program" ] && grep -q "\"$root/usr/lib/zelvane/Zelvane.ini\", O_RDONLY[^)]*) = [0-9]" "$work/trace.txt" \
  && cmp -s "$home/data/zelvane/Emul.dll" "$root/usr/lib/zelvane/Emul.icl"; then
  pass "runs on the offscreen platform over its own catalogue and icon library"; else
  fail "did not run over its catalogue and icon library: $(cat "$work/offscreen.txt")"; fi
[ -n "$program" ] && kill "$program"
wait "$tracer" 2>/dev/null || true

# On a real X server: the wizard's window is shown, and no error box beside it.
home=$work/x11
env $(run_home "$home") xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  "$1" & pid=$!
  sleep 3
  xwininfo -root -tree
  kill "$pid"' shell "$root/usr/bin/zelvane" >"$work/windows.txt" 2>/dev/null || true
if grep -q '"Zelvane v1.51b": ("zelvane" "Zelvane")' "$work/windows.txt" && ! grep -qE '"(Erreur|Error!)"' "$work/windows.txt"; then
  pass "shows the wizard under X, window class Zelvane"; else fail "no wizard window: $(cat "$work/windows.txt")"; fi

if [ "$failures" -gt 0 ]; then echo "$failures package check(s) failed"; exit 1; fi
echo "all package checks passed"
