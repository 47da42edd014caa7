# Sourced by the scripts that run Wine programs by hand (demo, benchmark,
# screenshots), with $top set to the checkout: starts the Wine session of the
# folder given, ends it when the script exits, and exports its prefix and display.
enter_wine_session() {
  korvel_wine_dir=$1
  "$top/cmake/wine-session.sh" start "$korvel_wine_dir" >/dev/null
  trap '"$top/cmake/wine-session.sh" stop "$korvel_wine_dir"' EXIT
  export WINEPREFIX="$korvel_wine_dir/prefix" WINEDEBUG=-all DISPLAY="$(cat "$korvel_wine_dir/display")"
}
