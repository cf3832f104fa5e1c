#!/bin/sh
# Configures and builds everything into build/. KELMORA_CMAKE_ARGS adds configure options
# (CI turns every warning into an error with it).
set -eu
cd "$(dirname "$0")/.."
# shellcheck disable=SC2086
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${KELMORA_CMAKE_ARGS:-}
cmake --build build -j "$(nproc)"
