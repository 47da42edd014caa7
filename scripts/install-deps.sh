#!/usr/bin/env bash
# Installs what building and testing the Launcher needs on Debian or Ubuntu,
# skipping what is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ libgtest-dev      # the native build and its tests
  g++-mingw-w64-x86-64-posix              # the Windows build
  wine wine64 xvfb                        # running Windows programs on a virtual display
  imagemagick x11-utils                   # screenshots; telling whether a display answers
  nsis libxml2-utils                      # the installer; checking Korvel.exe's manifest
  clang libclang-rt-dev                   # the fuzz targets: clang++ with libFuzzer and the sanitizers
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y "${missing[@]}"
