#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source, build and script file of the tree names its licence in its first lines; prints the
# files that do not, and fails when there is one.
cd "$1" || exit 2
missing=$(find src tools bench tests scripts cmake .ci CMakeLists.txt -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name 'CMakeLists.txt' -o -name '*.cmake' -o -name '*.sh' \
       -o -path '.ci/run' -o -path 'scripts/*' \) \
    ! -path 'tests/fuzz/corpus/*' ! -path 'tests/windows/profile-corpus/*' |
  while read -r file; do
    head -n 4 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$file"
  done)
[ -z "$missing" ] && exit 0
echo "No SPDX-License-Identifier line in:"
echo "$missing"
exit 1
