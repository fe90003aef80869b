#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a text of the program lacks its French: the translation file must be what lupdate
# makes of the sources now, and every one of its texts must be translated.
# Usage: check-translation.sh LUPDATE SOURCE_DIR
set -euo pipefail

lupdate=$1
root=$2
ts=$root/translations/zelvane_fr.ts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# lupdate keeps the translations of the copy and adds what the sources hold that it lacks.
cp "$ts" "$work/zelvane_fr.ts"
(cd "$root" && "$lupdate" -silent -locations none -no-obsolete -source-language en -target-language fr \
  src -ts "$work/zelvane_fr.ts")
if ! diff -u "$ts" "$work/zelvane_fr.ts"; then
  echo "translations/zelvane_fr.ts is not up to date with the sources (the lines above); run:" >&2
  echo "  lupdate -locations none -no-obsolete -source-language en -target-language fr src -ts translations/zelvane_fr.ts" >&2
  exit 1
fi
status=0
if grep -n 'type="unfinished"' "$ts"; then
  echo "translations/zelvane_fr.ts: the texts above have no finished French translation" >&2
  status=1
fi
if grep -n '<translation[^>]*></translation>\|<translation[^>]*/>' "$ts"; then
  echo "translations/zelvane_fr.ts: the texts above have an empty translation" >&2
  status=1
fi
exit $status
