#!/usr/bin/env bash
# Builds the fuzz targets and runs each one longer than the test run does:
# 300 s each by default, or LENGTH seconds, or -runs=N executions each. Inputs
# that make a fuzzer fail are kept in fuzz/regressions/<fuzzer>/, where every
# later test run replays them. Ends with one line per target: executions,
# speed, coverage (at the end and at three quarters of the run), peak memory.
#
#   bash scripts/fuzz.sh [LENGTH] [--parallel]
#
# --parallel runs the targets at once, one core each, their logs in
# build/fuzz/long-run/<fuzzer>/fuzz.log; on a shared machine start it with
# `nice -n 10`. Ten million executions each:
#
#   nice -n 10 bash scripts/fuzz.sh -runs=10000000 --parallel
set -euo pipefail
cd "$(dirname "$0")/.."

length=300 parallel=false
for argument in "$@"; do
  case $argument in
    --parallel) parallel=true ;;
    -runs=[0-9]*|[0-9]*) length=$argument ;;
    *) echo "usage: bash scripts/fuzz.sh [seconds | -runs=N] [--parallel]" >&2; exit 2 ;;
  esac
done

bash scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz

fuzzers=(fuzz_settings_files fuzz_names fuzz_icon_files)
run() {
  fuzz/run-fuzzer.sh "build/fuzz/bin/$1" "fuzz/corpus/$1" "fuzz/regressions/$1" "$length" \
    "build/fuzz/long-run/$1" "fuzz/regressions/$1"
}

status=0
if $parallel; then
  pids=()
  for fuzzer in "${fuzzers[@]}"; do
    echo "== $fuzzer: $length, log in build/fuzz/long-run/$fuzzer/fuzz.log =="
    mkdir -p build/fuzz/long-run
    run "$fuzzer" >"build/fuzz/long-run/$fuzzer.out" 2>&1 &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
else
  for fuzzer in "${fuzzers[@]}"; do
    echo "== $fuzzer: $length =="
    run "$fuzzer" || status=1
  done
fi

echo "== Summary =="
for fuzzer in "${fuzzers[@]}"; do
  cat "build/fuzz/long-run/$fuzzer/summary.txt" 2>/dev/null || echo "$fuzzer: no summary (see build/fuzz/long-run/)"
done
[ "$status" -eq 0 ] || echo "A fuzzer failed; its input is in fuzz/regressions/." >&2
exit "$status"
