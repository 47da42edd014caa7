#!/usr/bin/env bash
# Replays the inputs kept for a fuzzer, then runs it for a fixed time or number
# of executions on a copy of its corpus: libFuzzer adds the inputs it finds to
# its first corpus folder, and the one in the source tree stays as it is.
#
#   run-fuzzer.sh FUZZER CORPUS REGRESSIONS LENGTH WORK [ARTIFACTS]
#
# LENGTH is seconds (a number) or -runs=N (N executions). WORK is emptied and
# holds the corpus copy, the fuzzer's log (fuzz.log) and the one-line summary
# printed at the end (summary.txt): executions, speed, coverage at the end and
# at three quarters of the executions, peak memory, failure. Crashing inputs go
# to ARTIFACTS (default WORK/artifacts).
set -euo pipefail

fuzzer=$1 corpus=$2 regressions=$3 length=$4 work=$5
artifacts=${6:-$work/artifacts}
name=$(basename "$fuzzer")

case $length in
  -runs=*) limit=$length ;;
  *) limit=-max_total_time=$length ;;
esac

rm -rf "$work"
mkdir -p "$work/corpus" "$artifacts"

shopt -s nullglob
kept=("$regressions"/*)
if [ ${#kept[@]} -gt 0 ]; then
  echo "Replaying ${#kept[@]} kept input(s) from $regressions"
  "$fuzzer" -artifact_prefix="$artifacts/" "${kept[@]}"
fi

cp -R "$corpus"/. "$work/corpus/"
started=$SECONDS
status=0
"$fuzzer" "$limit" -print_final_stats=1 -artifact_prefix="$artifacts/" "$work/corpus" 2>&1 |
  tee "$work/fuzz.log" || status=$?
elapsed=$((SECONDS - started))

# libFuzzer's final stats, and its progress lines ("#N<TAB>NEW cov: C ...") for
# the coverage reached by three quarters of the executions: coverage that still
# grows after that point says the run was too short to settle.
final_stat() { sed -n "s/^stat::$1: *//p" "$work/fuzz.log" | tail -1; }
executions=$(final_stat number_of_executed_units)
executions=${executions:-0}
coverage_at() {
  awk -v upto="$1" '/^#[0-9]+\t.* cov: / {
      n = substr($1, 2) + 0
      if (n <= upto) for (i = 1; i < NF; i++) if ($i == "cov:") cov = $(i + 1)
    } END { print (cov == "" ? "?" : cov) }' "$work/fuzz.log"
}
outcome="no failure"
[ "$status" -eq 0 ] || outcome="FAILED (exit $status), input kept in $artifacts/"
printf '%s: %s executions in %s s, %s a second; coverage %s edges, %s at three quarters; peak %s MB; %s\n' \
  "$name" "$executions" "$elapsed" "$(final_stat average_exec_per_sec)" "$(coverage_at "$executions")" \
  "$(coverage_at $((executions * 3 / 4)))" "$(final_stat peak_rss_mb)" "$outcome" | tee "$work/summary.txt"
exit "$status"
