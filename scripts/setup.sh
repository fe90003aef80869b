#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets Zelvane up on Debian 12: installs the missing packages, builds, then starts the wizard
# (`setup.sh start`) or runs the whole test suite, in a Release build with the Windows tests under
# wine and the checks of its Debian package, then under the sanitizers, then each fuzz target for a
# few seconds (`setup.sh test`).
set -euo pipefail

mode=${1:-start}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Build tools and libraries, the desktop tools the association writer runs, what the tests read
# the results back with (the window-lifecycle test on a virtual display), and what builds and
# checks the Debian package.
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-l10n-tools qt6-translations-l10n libgl-dev libgtest-dev
  shared-mime-info desktop-file-utils libglib2.0-bin gtk-update-icon-cache xdg-utils
  icoutils
  dpkg-dev lintian appstream man-db xvfb xauth x11-utils strace
)
# The Windows tests: the mingw-w64 C++ compiler (its "posix" thread model, which GoogleTest needs),
# GoogleTest's sources, and wine to run the result.
windows_test_packages=(g++-mingw-w64-x86-64-posix googletest wine64)
# A real emulator whose desktop entry a test reads: it must stay offered beside our associations.
# (KDE's ktraderclient5 would read them back too, but its package, kde-cli-tools, brings about a
# hundred others.)
emulator_test_packages=(mednafen)
# What a screen reader test needs: a session bus, the accessibility bus and its settings, the AT-SPI
# reader and key presses on the virtual display.
accessibility_test_packages=(dbus-daemon at-spi2-core gsettings-desktop-schemas python3-pyatspi xdotool)
# What builds and runs the fuzz targets (libFuzzer comes with clang's runtime libraries).
fuzz_packages=(clang libclang-rt-14-dev)

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build <preset> [cache settings...]
build() {
  cmake --preset "$@" >/dev/null
  cmake --build --preset "$1" -j "$(nproc)"
}

install_missing "${packages[@]}"
case "$mode" in
  start)
    build release
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "There is no display to show the wizard on."
      echo "Start it under a virtual display with:  xvfb-run -a $root/build/release/bin/zelvane"
      echo "(xvfb-run comes with the Debian package xvfb.)"
      exit 1
    fi
    exec "$root/build/release/bin/zelvane"
    ;;
  test)
    # The Release run includes the Windows tests: the Win32 code cross-built and run under wine,
    # against our Linux readers and hive.
    install_missing "${windows_test_packages[@]}" "${emulator_test_packages[@]}" "${accessibility_test_packages[@]}"
    build windows-tests
    build release -DZELVANE_WINE_TESTS=ON
    ctest --preset release -j "$(nproc)"
    tests/package/check-package.sh build/release
    build asan
    ctest --preset asan -j "$(nproc)"
    install_missing "${fuzz_packages[@]}"
    scripts/fuzz.sh 15
    ;;
  *)
    echo "usage: $0 [start|test]" >&2
    exit 2
    ;;
esac
