#!/usr/bin/env bash
# Makes a fresh Wine prefix, WINE_DIR/prefix, on the display DISPLAY names:
# wine-new-prefix.sh WINE_DIR
#
# Wine's first start of a prefix now and then gives up half way ("could not
# load kernel32.dll") and leaves a prefix without its system folder, in which
# nothing runs. Such a prefix is removed and made again, three times at most;
# a prefix that still lacks its system ends the caller's set-up with an error.
# wineboot's messages go to WINE_DIR/wineboot.log.
set -euo pipefail
dir=${1:?wine directory}
dir=$(cd "$dir" && pwd)
export WINEPREFIX="$dir/prefix"

for attempt in 1 2 3; do
  rm -rf "$WINEPREFIX"
  if wineboot -i >"$dir/wineboot.log" 2>&1 </dev/null && wineserver -w &&
    [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
    exit 0
  fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  echo "Wine prefix not made (attempt $attempt): $(tail -n1 "$dir/wineboot.log")" >&2
done
exit 1
