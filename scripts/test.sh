#!/usr/bin/env bash
# Installs what is missing, builds the four configurations and runs every test:
# native, native under AddressSanitizer and UndefinedBehaviorSanitizer, the
# Windows build under Wine (unit tests on real files and end-to-end tests), and
# the fuzz targets of the core's parsers for a few seconds each. Each is the
# CMake workflow preset of that name (configure, build, test); a workflow holds
# one configuration only, so the four are run one after another.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --workflow --preset native
cmake --workflow --preset native-sanitize
cmake --workflow --preset windows
cmake --workflow --preset fuzz
