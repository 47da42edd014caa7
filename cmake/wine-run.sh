#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build tree's session
# (see wine-session.sh): wine-run.sh WINE_DIR PROGRAM.exe [ARGUMENTS...]
#
# Wine's own messages (and any the program writes to its error output) go to
# WINE_DIR/wine.log, not to the output the program is judged by; a run that
# fails repeats its part of the log there.
#
# A run that fails having printed nothing at all never reached the program's
# own code (every test program prints before its first test): Wine failed to
# start it. Such a run is started once more, and says so, rather than fail a
# test that never ran. A program that ran and failed is never run again.
set -euo pipefail
dir=${1:?wine directory}
shift
dir=$(cd "$dir" && pwd)
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$dir/display" ]; then
  DISPLAY=$(cat "$dir/display")
  export DISPLAY
fi
log="$dir/wine.log"
out=$(mktemp)
trap 'rm -f "$out"' EXIT

run() {
  start=$(stat -c %s "$log" 2>/dev/null || echo 0)
  # The output streams on (a test that times out still shows its part) and is kept.
  status=0
  wine "$@" 2>>"$log" | tee "$out" || status=${PIPESTATUS[0]}
}

run "$@"
if [ "$status" -ne 0 ] && [ ! -s "$out" ]; then
  echo "--- The program ended with $status before printing anything; Wine's messages (from $log):" >&2
  tail -c +"$((start + 1))" "$log" | tail -n 40 >&2
  echo "--- Started once more." >&2
  run "$@"
fi
if [ "$status" -ne 0 ]; then
  echo "--- Wine's messages of this run (from $log):" >&2
  tail -c +"$((start + 1))" "$log" | tail -n 40 >&2
fi
exit "$status"
