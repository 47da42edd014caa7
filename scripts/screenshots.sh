#!/usr/bin/env bash
# Takes the pictures of docs/ anew from the demo installation, under Wine on a
# virtual display of its own: the welcome window, the main dialog and the About
# window, each as Wine draws it with its frame, at 96 dpi and again at 144 and
# 192 (the prefix's LogPixels; those pictures' names end in -144dpi, -192dpi).
# The screen is 1280 by 1024, at 192 dpi 1920 by 1536: the main dialog, 1075
# pixels high there, would not fit on the smaller one. Run after
# scripts/demo.sh has installed what is needed.
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

# One start of the Launcher at the DPI $1 on a screen of size $3, its pictures
# named with suffix $2.
pictures_at() {
  "$top/cmake/wine-session.sh" stop "$wine_dir"
  KORVEL_SCREEN_SIZE=$3 enter_wine_session "$wine_dir"
  WINEDEBUG=-all wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >>"$wine_dir/wine.log" 2>&1
  (cd "$root/Exe" && exec wine Korvel.exe 2>>"$wine_dir/wine.log") &
  local launcher=$!
  shoot "$(window Welcome)" "welcome-window$2.png"
  local main
  main=$(window KORVEL)
  shoot "$main" "main-dialog$2.png"
  # The About button's centre in the main window's pixels: its template place
  # (248, 338, 35 by 14 dialog units) at the 6 by 12 pixels of the dialog's font
  # under Wine, plus the frame and the caption; at a higher DPI the dialog grows
  # with its font, and the place with it.
  local size
  size=$(xwininfo -id "$main" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  read -r width height <<<"$size"
  xdotool mousemove --window "$main" $((403 * width / 524)) $((540 * height / 564)) click 1
  shoot "$(window "About KORVEL")" "about-window$2.png"
  WINEDEBUG=-all wineserver -k || true
  wait "$launcher" 2>/dev/null || true
}

pictures_at 96 "" 1280x1024
pictures_at 144 -144dpi 1280x1024
pictures_at 192 -192dpi 1920x1536
WINEDEBUG=-all wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >>"$wine_dir/wine.log" 2>&1
