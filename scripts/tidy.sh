#!/bin/sh
# Runs clang-tidy with the project's .clang-tidy over core/, cli/ and ui/; fails on any finding.
# Needs a configured build/ (compile_commands.json and the generated Qt sources).
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
files=$(git ls-files 'core/*.cpp' 'cli/*.cpp' 'ui/*.cpp')
out=$(mktemp); trap 'rm -f "$out"' EXIT
# shellcheck disable=SC2086
run-clang-tidy -quiet -p "$build" -j "$(nproc)" $files > "$out" 2>/dev/null || true
if grep -E '(warning|error):' "$out"; then
  echo "clang-tidy: findings above"
  exit 1
fi
echo "clang-tidy: nothing to report in core/, cli/ and ui/"
