#!/usr/bin/env bash
# Builds Tessaly (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_BENCH=OFF
cmake --build build/release --target tessaly
exec build/release/src/app/tessaly "$@"
