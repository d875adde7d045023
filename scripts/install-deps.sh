#!/usr/bin/env bash
# Installs the Debian packages Tessaly needs to build, run and test.
# Safe to run again: it only calls apt-get when something is missing.
# Usage: scripts/install-deps.sh [run|test]
set -euo pipefail

run_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev libxcb-shape0-dev zlib1g-dev libzip-dev
  fonts-liberation fonts-dejavu-core
  epubcheck default-jre-headless default-jdk-headless
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils openbox xcompmgr xdotool libxcb1-dev libxcb-shape0-dev imagemagick zip desktop-file-utils
  at-spi2-core python3-pyatspi dbus
  clang libclang-rt-14-dev ccache lld
)

wanted=("${run_packages[@]}")
if [ "${1:-run}" = test ]; then
  wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
