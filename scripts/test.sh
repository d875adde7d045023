#!/usr/bin/env bash
# Builds Tessaly with its tests (installing what is missing) and runs every test.
#
# The test build is made for building quickly: each library and test program
# compiled as a few large units, light optimisation (-O1), lld where it is
# installed, and ccache, which the test packages include, so that a later run
# from any clone of the project compiles only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths inside the clone are hashed relative to it, and the compiler
  # writes them so (source names in test messages, debug information):
  # clones elsewhere share the cache.
  export CCACHE_BASEDIR="$PWD"
  launcher+=("-DCMAKE_CXX_FLAGS=-ffile-prefix-map=$PWD/=" "-DCMAKE_C_FLAGS=-ffile-prefix-map=$PWD/=")
fi
# lld links the test programs in a fifth of the time the default linker takes.
if command -v ld.lld >/dev/null; then
  launcher+=("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld" "-DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld")
fi
# The fuzz targets only run their seed corpora here: unoptimised, they
# build in about half the time.
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELEASE=-O1 -DNDEBUG" \
  -DTESSALY_FUZZ_OPTIMIZATION=-O0 "${launcher[@]}"
cmake --build build/test
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j "$(nproc)"
