#!/usr/bin/env bash
# Builds the fuzz targets and runs each one longer than the test run does
# (default 300 s each). Inputs that make a fuzzer fail are kept in
# fuzz/regressions/<fuzzer>/, where every later test run replays them.
#
#   bash scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}

bash scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz

status=0
for fuzzer in fuzz_settings_files fuzz_names; do
  echo "== $fuzzer: $seconds s =="
  fuzz/run-fuzzer.sh "build/fuzz/bin/$fuzzer" "fuzz/corpus/$fuzzer" "fuzz/regressions/$fuzzer" "$seconds" \
    "build/fuzz/long-run/$fuzzer" "fuzz/regressions/$fuzzer" || status=1
done
[ "$status" -eq 0 ] || echo "A fuzzer failed; its input is in fuzz/regressions/." >&2
exit "$status"
