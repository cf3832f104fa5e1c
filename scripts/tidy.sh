#!/bin/sh
# Runs clang-tidy with the project's .clang-tidy over core/, cli/ and ui/; fails on any finding.
# Needs a built build folder (compile_commands.json and the generated Qt sources).
#   sh scripts/tidy.sh [BUILD_DIR]     (default build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "clang-tidy: no $build/compile_commands.json; configure and build first" >&2
  exit 1
fi
files=$(git ls-files 'core/*.cpp' 'cli/*.cpp' 'ui/*.cpp')
out=$(mktemp); trap 'rm -f "$out"' EXIT
# Its exit status says little (findings are warnings); the output says it all.
# shellcheck disable=SC2086
run-clang-tidy -quiet -p "$build" -j "$(nproc)" $files > "$out" 2>/dev/null || true
if grep -E '(warning|error):' "$out"; then
  echo "clang-tidy: findings above"
  exit 1
fi
echo "clang-tidy: nothing to report in core/, cli/ and ui/"
