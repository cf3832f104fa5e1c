#!/bin/sh
# Builds the core and kelmora-check with clang and every warning as an error, as CI does: the
# second compiler finds conversions that the first lets pass.
#   sh scripts/clang-build.sh [BUILD_DIR]     (default build-clang)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-clang}
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DKELMORA_BUILD_UI=OFF -DKELMORA_BUILD_TESTS=OFF -DKELMORA_BUILD_BENCH=OFF \
  -DKELMORA_WERROR=ON -DKELMORA_PEDANTIC=ON ${KELMORA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "$(nproc)" --target kelmora-check
echo "clang: the core and kelmora-check build without a warning"
