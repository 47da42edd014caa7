#!/usr/bin/env bash
# Installs what is missing, builds the four configurations and runs every test:
# native, native under AddressSanitizer and UndefinedBehaviorSanitizer, the
# Windows build under Wine (unit tests on real files and end-to-end tests), and
# the fuzz targets of the core's parsers for a few seconds each.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

for preset in native native-sanitize windows fuzz; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
