#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zelvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets (the fuzz preset: clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each in turn for SECONDS (60 unless given) on its corpus,
# then prints the executions, coverage and findings of each. A finding (a crash, a leak, a hang,
# a broken property) fails the run; its input is saved in build/fuzz/findings/.
#   usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: icon_library catalogue hive mimeapps exec)
set -euo pipefail

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(icon_library catalogue hive mimeapps exec)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

out=build/fuzz
cmake --preset fuzz >/dev/null
mkdir -p "$out/findings"
cmake --build --preset fuzz -j 2 >"$out/build.log" 2>&1 || { cat "$out/build.log" >&2; exit 1; }
failed=()
summary=()
for target in "${targets[@]}"; do
  # New inputs go to a corpus of the build, which later runs go on from; the checked-in seeds
  # stay as they are.
  mkdir -p "$out/corpus/$target"
  log=$out/$target.log
  echo "Fuzzing $target for $seconds s (log: $log)"
  status=0
  # Debian's Qt keeps no frame pointers: allocation stacks unwound through it hold noise, and
  # every new one is kept, which fills the memory in minutes. Two frames tell enough; replay a
  # finding (build/fuzz/bin/fuzz_TARGET FILE) for the whole report.
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=2} \
    "$out/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$out/findings/$target-" \
    "$out/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9]*/[0-9]*[a-zA-Z]*' "$log" | tail -n 1 || true)
  if [ "$status" -eq 0 ]; then
    summary+=("$target: ${executions:-0} executions, ${coverage:-no coverage reported}, no finding")
  else
    failed+=("$target")
    summary+=("$target: FINDING after ${executions:-?} executions, ${coverage:-no coverage reported} (exit $status)")
    grep -E 'ERROR|Property broken|SUMMARY|Test unit written' "$log" | head -n 8 | sed 's/^/    /' >&2 || true
  fi
done

echo
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]} (inputs in $out/findings/)" >&2
  exit 1
fi
