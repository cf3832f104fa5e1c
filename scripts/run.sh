#!/bin/sh
# Installs what is missing, builds, and starts Kelmora in the folder of sample draws.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
sh scripts/build.sh
cd examples
exec ../build/ui/kelmora "$@"
