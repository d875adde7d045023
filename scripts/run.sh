#!/usr/bin/env bash
# Builds Tessaly (installing what is missing) and starts it; a book named
# on the command line is checked at once.
set -euo pipefail
start=$PWD
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_BENCH=OFF
cmake --build build/release --target tessaly
# Back where the user was, so that a book's relative path still holds.
cd "$start"
exec "$root/build/release/src/app/tessaly" "$@"
