#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build tree's session
# (see wine-session.sh): wine-run.sh WINE_DIR PROGRAM.exe [ARGUMENTS...]
#
# Wine's own messages (and any the program writes to its error output) go to
# WINE_DIR/wine.log, not to the output the program is judged by; a run that
# fails repeats its part of the log there.
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
start=$(stat -c %s "$log" 2>/dev/null || echo 0)
status=0
wine "$@" 2>>"$log" || status=$?
if [ "$status" -ne 0 ]; then
  echo "--- Wine's messages of this run (from $log):" >&2
  tail -c +"$((start + 1))" "$log" | tail -n 40 >&2
fi
exit "$status"
