#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build tree's session
# (see wine-session.sh): wine-run.sh WINE_DIR PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
dir=${1:?wine directory}
shift
dir=$(cd "$dir" && pwd)
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$dir/display" ]; then
  DISPLAY=$(cat "$dir/display")
  export DISPLAY
fi
exec wine "$@"
