#!/bin/sh
# tidy.sh must fail, saying so, where clang-tidy is missing or does not run: its silence would
# read as a clean tree.
#   tidy_without_tools.sh SOURCE_DIR
set -eu
source=$1
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
shell=$(command -v sh)
ln -s "$(command -v dirname)" "$bin/dirname"
expect_refusal() {
  if PATH=$bin "$shell" "$source/scripts/tidy.sh" >"$bin/out" 2>&1 || ! grep -q "$1" "$bin/out"; then
    echo "FAIL: tidy.sh did not refuse with \"$1\":" >&2
    cat "$bin/out" >&2
    exit 1
  fi
}
expect_refusal "run-clang-tidy is not installed"
for tool in run-clang-tidy clang-tidy clang-query; do
  printf '#!/bin/sh\nexit 1\n' >"$bin/$tool"
  chmod +x "$bin/$tool"
done
expect_refusal "clang-tidy does not run"
