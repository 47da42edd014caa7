#!/usr/bin/env bash
# Takes the pictures of docs/ anew from the demo installation, under Wine on a
# virtual display of its own: the welcome window, the main dialog and the About
# window, each as Wine draws it with its frame. Run after scripts/demo.sh has
# installed what is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

cmake --preset windows >/dev/null
cmake --build --preset windows --target demo_installation >/dev/null

build="$top/build/windows"
wine_dir="$build/wine-screenshots"
root="$wine_dir/prefix/drive_c/KORVEL"
unset KORVEL_TEST_DISPLAY
. "$top/scripts/wine-session-env.sh"
enter_wine_session "$wine_dir"
rm -rf "$root"
cp -R "$build/demo/KORVEL" "$root"

# The X window of the top-level window titled $1, once it shows.
window() {
  local id=""
  for _ in $(seq 1 150); do
    id=$(xwininfo -root -tree | awk -v title="\"$1\":" 'index($0, title) { print $1; exit }')
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "No window \"$1\" showed" >&2; exit 1; }
  sleep 1  # let it finish painting
  echo "$id"
}

shoot() {
  import -display "$DISPLAY" -window "$1" "$top/docs/$2"
  echo "docs/$2"
}

cd "$root/Exe"
wine Korvel.exe 2>>"$wine_dir/wine.log" &
shoot "$(window Welcome)" welcome-window.png
main=$(window KORVEL)
shoot "$main" main-dialog.png
# The About button's centre in the main window's pixels: its template place
# (248, 338, 35 by 14 dialog units) at the 6 by 12 pixels of the dialog's font
# under Wine, plus the frame and the caption.
xdotool mousemove --window "$main" 403 540 click 1
shoot "$(window "About KORVEL")" about-window.png
