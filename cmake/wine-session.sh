#!/usr/bin/env bash
# Starts and ends the Wine session that a build tree's Windows tests run in:
# a private Wine prefix (made once, reused) and a virtual X display of its own.
#
#   wine-session.sh start WINE_DIR   prefix ready, display up, wineserver running
#   wine-session.sh stop  WINE_DIR   every Wine process of the prefix ended, display closed
#
# Set KORVEL_TEST_DISPLAY (for example :0) to run the tests on a display of your own,
# KORVEL_SCREEN_SIZE (for example 1920x1536) for a virtual one of another size.
set -euo pipefail

action=${1:?start or stop}
dir=${2:?wine directory}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

stop_display() {
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -f "$dir/display"
}

case "$action" in
  start)
    # A session left by an interrupted run is ended first.
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
    stop_display
    if [ -n "${KORVEL_TEST_DISPLAY:-}" ]; then
      echo "$KORVEL_TEST_DISPLAY" >"$dir/display"
    else
      # -displayfd makes Xvfb choose a free display number, so two runs never collide.
      : >"$dir/display.number"
      setsid Xvfb -displayfd 3 -screen 0 "${KORVEL_SCREEN_SIZE:-1280x1024}x24" -nolisten tcp \
        3>"$dir/display.number" >"$dir/xvfb.log" 2>&1 </dev/null &
      echo $! >"$dir/xvfb.pid"
      for _ in $(seq 1 100); do
        [ -s "$dir/display.number" ] && break
        sleep 0.1
      done
      [ -s "$dir/display.number" ] || { echo "Xvfb did not start: $(cat "$dir/xvfb.log")" >&2; exit 1; }
      echo ":$(head -n1 "$dir/display.number")" >"$dir/display"
    fi
    export DISPLAY=$(cat "$dir/display")
    if [ ! -f "$WINEPREFIX/.korvel-ready" ]; then
      "$(dirname "$0")/wine-new-prefix.sh" "$dir"
      touch "$WINEPREFIX/.korvel-ready"
    fi
    # One persistent server for the whole run spares every test its start. Its
    # service processes are started here, away from the tests' output: started
    # by a test they would hold its output open and ctest would wait for them.
    wineserver -p >/dev/null 2>&1 </dev/null
    # Wine's own messages of the session (wine-run.sh adds the programs') go to
    # one log of this run, not to the tests' output.
    : >"$dir/wine.log"
    "$(dirname "$0")/wine-prefix-settings.sh" "$dir"
    echo "Wine prefix $WINEPREFIX on display $DISPLAY"
    ;;
  stop)
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
    stop_display
    ;;
  *)
    echo "usage: $0 start|stop WINE_DIR" >&2
    exit 2
    ;;
esac
