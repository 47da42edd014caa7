#!/usr/bin/env bash
# Installs what is missing, builds the three configurations and runs every test:
# native, native under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# Windows build under Wine (unit tests on real files and end-to-end tests).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

for preset in native native-sanitize windows; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
