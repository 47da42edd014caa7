#!/usr/bin/env bash
# Applies the settings every Wine prefix of the build runs with, at each
# session start (so a prefix made on another machine, or before a sound card
# was added, follows this one): wine-prefix-settings.sh WINE_DIR
#
# WINE_DIR holds the prefix (WINE_DIR/prefix); DISPLAY names the session's
# display. Wine's messages of the import go to WINE_DIR/wine.log.
set -euo pipefail
dir=${1:?wine directory}
dir=$(cd "$dir" && pwd)
export WINEPREFIX="$dir/prefix"

# On a virtual display of our own no window manager runs: Wine then frames its
# windows itself, and does not wait for a manager on every close.
managed='"N"'
[ -n "${KORVEL_TEST_DISPLAY:-}" ] && managed='"Y"'

# Wine draws caption buttons, scroll arrows and check marks with its own symbol
# font, Marlett. Some packagings (Debian's Wine 8) look for Wine's fonts beside
# the system's, not in the folder where their font package puts them, and every
# caption button then shows a letter ("0 1 r"). The prefix is told where they
# are; a Wine that finds them itself reads the same files again, no harm.
fonts_path='-'
for candidate in /usr/share/wine/fonts /usr/local/share/wine/fonts; do
  if [ -f "$candidate/marlett.ttf" ]; then
    fonts_path="\"Z:${candidate//\//\\\\}\""
    break
  fi
done

# Without a sound device Wine's ALSA driver fills the output with messages
# about the missing card: the prefix then uses no audio driver (sounds are not
# played, and PlaySound fails at once as it does without a card). With one,
# Wine chooses its driver as usual and the sounds play.
audio='""'
if compgen -G '/dev/snd/pcmC*' >/dev/null || [ -n "${PULSE_SERVER:-}" ] ||
   [ -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/pulse/native" ]; then
  audio='-'
fi

settings="$dir/prefix-settings.reg"
cat >"$settings" <<EOF
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"=$managed

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts]
"Path"=$fonts_path

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Audio"=$audio
EOF
WINEDEBUG=-all wine reg import "$settings" >>"$dir/wine.log" 2>&1 </dev/null ||
  { echo "The Wine prefix settings $settings were not applied: see $dir/wine.log" >&2; exit 1; }
