#!/bin/sh
# Builds everything that CI builds (both programs, the reports, the tests, the benchmarks and the
# fuzz targets) with clang and every warning, pedantic ones included, as an error: the second
# compiler finds conversions that the first lets pass.
#   sh scripts/clang-build.sh [BUILD_DIR]     (default build-clang)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-clang}
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DKELMORA_BUILD_UI=ON -DKELMORA_BUILD_TESTS=ON -DKELMORA_BUILD_BENCH=ON \
  -DKELMORA_WERROR=ON -DKELMORA_PEDANTIC=ON ${KELMORA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "$(nproc)"
echo "clang: everything builds without a warning"
