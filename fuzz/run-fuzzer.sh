#!/usr/bin/env bash
# Replays the inputs kept for a fuzzer, then runs it for a fixed time on a copy
# of its corpus: libFuzzer adds the inputs it finds to its first corpus folder,
# and the one in the source tree stays as it is.
#
#   run-fuzzer.sh FUZZER CORPUS REGRESSIONS SECONDS WORK [ARTIFACTS]
#
# WORK is emptied and holds the corpus copy; crashing inputs go to ARTIFACTS
# (default WORK/artifacts).
set -euo pipefail

fuzzer=$1 corpus=$2 regressions=$3 seconds=$4 work=$5
artifacts=${6:-$work/artifacts}

rm -rf "$work"
mkdir -p "$work/corpus" "$artifacts"

shopt -s nullglob
kept=("$regressions"/*)
if [ ${#kept[@]} -gt 0 ]; then
  echo "Replaying ${#kept[@]} kept input(s) from $regressions"
  "$fuzzer" -artifact_prefix="$artifacts/" "${kept[@]}"
fi

cp -R "$corpus"/. "$work/corpus/"
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" "$work/corpus"
