#!/usr/bin/env bash
# Runs the installer's end-to-end test program in a Wine prefix and on a
# virtual X display made for this run alone: the installer writes to the
# prefix's Program Files, registry and Start menu, which must start empty and
# must not reach the other tests' prefix.
#
#   run_installer_test.sh DIR TEST.exe [ARGUMENTS...]
#
# KORVEL_SETUP names the installer and KORVEL_STANDIN_EXE the stand-in for the
# package's programs by their Unix paths; the test is given them as the prefix
# names them. DIR is made anew. Every Wine process of the prefix and the display are ended
# at the end, also on failure; a passing run removes DIR, a failing one leaves
# it to be looked at. KORVEL_TEST_DISPLAY (for example :0) shows the run there.
set -euo pipefail

dir=${1:?folder for the prefix}
shift
rm -rf "$dir"
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
# winemenubuilder is off: the Start-menu shortcut must not become a menu
# entry of the user's own desktop.
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

xvfb_pid=""
finish() {
  local status=$?
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ "$status" -eq 0 ] && rm -rf "$dir"
  exit "$status"
}
trap finish EXIT

if [ -n "${KORVEL_TEST_DISPLAY:-}" ]; then
  export DISPLAY=$KORVEL_TEST_DISPLAY
else
  # -displayfd makes Xvfb choose a free display number, so runs never collide.
  : >"$dir/display.number"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$dir/display.number" >"$dir/xvfb.log" 2>&1 </dev/null &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$dir/display.number" ] && break
    sleep 0.1
  done
  [ -s "$dir/display.number" ] || { echo "Xvfb did not start: $(cat "$dir/xvfb.log")" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$dir/display.number")"
fi

# Wine names the prefix's user, and its profile folder, after $USER when it
# makes the prefix; KORVEL_PREFIX_USER chooses it (first.last).
if [ -n "${KORVEL_PREFIX_USER:-}" ]; then
  export USER=$KORVEL_PREFIX_USER
fi
"$(dirname "$0")/../../cmake/wine-new-prefix.sh" "$dir"
# The service processes start here, away from the test's output, which they
# would otherwise hold open; the prefix gets the settings of the other tests'.
wineserver -p >/dev/null 2>&1 </dev/null
"$(dirname "$0")/../../cmake/wine-prefix-settings.sh" "$dir"
echo "Fresh Wine prefix $WINEPREFIX on display $DISPLAY"

KORVEL_SETUP=$(winepath -w "${KORVEL_SETUP:?installer to test}")
KORVEL_STANDIN_EXE=$(winepath -w "${KORVEL_STANDIN_EXE:?stand-in program}")
export KORVEL_SETUP KORVEL_STANDIN_EXE

# Wine's own messages go to a log beside the prefix, kept with it on failure.
wine "$@" 2>>"$dir/wine.log" || { status=$?; echo "Wine's messages of the run: $dir/wine.log" >&2; exit "$status"; }
