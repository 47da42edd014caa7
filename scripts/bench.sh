#!/usr/bin/env bash
# Builds the Launcher and its benchmark and runs it under Wine on a virtual
# display, in a Wine prefix of its own. Prints the figures (medians of
# repeated runs, each next to its baseline). Run it on an idle machine.
#
#   bash scripts/bench.sh [repetitions] [figure...]
#
# Figures: click, keystroke, start, comvek, exit, memory, soak (all by default).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target korvel_bench zip

build="$top/build/windows"
wine_dir="$build/wine-bench"
unset KORVEL_TEST_DISPLAY
. "$top/scripts/wine-session-env.sh"
enter_wine_session "$wine_dir"

KORVEL_EXE=$(winepath -w "$build/bin/Korvel.exe")
KORVEL_STANDIN_EXE=$(winepath -w "$build/bin/standin.exe")
KORVEL_ASSETS_ROOT=$(winepath -w "$build/assets-root")
export KORVEL_EXE KORVEL_STANDIN_EXE KORVEL_ASSETS_ROOT
# The installation lies on the prefix's drive C:, not under the checkout: the
# Launcher cuts derived names at the first full stop of the whole path.
export KORVEL_E2E_RUNS='C:\korvel-bench'
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

echo "Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
echo "Wine: $(wine --version)   Date: $(date -u +%Y-%m-%d)"
wine "$build/bin/korvel_bench.exe" "${1:-15}" "${@:2}"
