#!/usr/bin/env bash
# Builds Korvel.exe, lays out a demo installation and starts the Launcher in
# it under Wine. With a display the window opens there; without one the Launcher
# runs on a virtual display and a screenshot is saved and its path printed.
# Wine's own messages go to build/windows/wine-demo/wine.log.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target demo_installation

build="$top/build/windows"
wine_dir="$build/wine-demo"
# The installation is run from C:\KORVEL of the demo's own Wine prefix, not
# from the build tree: the Launcher cuts derived names at the first full stop
# of the whole path, and the checkout's path may hold one (/home/j.smith).
root="$wine_dir/prefix/drive_c/KORVEL"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export KORVEL_TEST_DISPLAY="$DISPLAY"
  headless=0
else
  unset KORVEL_TEST_DISPLAY
  headless=1
fi
. "$top/scripts/wine-session-env.sh"
enter_wine_session "$wine_dir"
export KORVEL_STANDIN_JOURNAL='C:\KORVEL\journal.txt'
rm -rf "$root"
cp -R "$build/demo/KORVEL" "$root"

echo "Demo installation: C:\KORVEL ($root)"
cd "$root/Exe"
log="$wine_dir/wine.log"
if [ "$headless" -eq 0 ]; then
  echo "The Launcher is open on $DISPLAY: end it with its E X I T button or by closing its window."
  wine Korvel.exe 2>>"$log"
  exit 0
fi

wine Korvel.exe 2>>"$log" &
launcher=$!
# Wait for the main dialog (the welcome window goes after four seconds), or for
# the Launcher to end, then take the picture.
for _ in $(seq 1 150); do
  xwininfo -root -tree 2>/dev/null | grep -q '"KORVEL"' && break
  kill -0 "$launcher" 2>/dev/null || break
  sleep 0.2
done
sleep 1  # let the window finish painting
shot="$build/demo/korvel-demo.png"
import -display "$DISPLAY" -window root "$shot"
echo "Screenshot: $shot"
echo "No display to show it on: the Launcher is ended. Wine's messages: $log"
kill "$launcher" 2>/dev/null || true
