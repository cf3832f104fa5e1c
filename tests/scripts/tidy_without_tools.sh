#!/bin/sh
# tidy.sh must fail, saying so, where clang-tidy is missing or does not run: its silence would
# read as a clean tree.   tidy_without_tools.sh SOURCE_DIR
set -eu
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
shell=$(command -v sh)
ln -s "$(command -v dirname)" "$bin/dirname"
for refusal in "run-clang-tidy is not installed" "clang-tidy does not run"; do
  if PATH=$bin "$shell" "$1/scripts/tidy.sh" >"$bin/out" 2>&1 || ! grep -q "$refusal" "$bin/out"; then
    echo "FAIL: tidy.sh did not refuse with \"$refusal\":" >&2 && cat "$bin/out" >&2 && exit 1
  fi
  for tool in run-clang-tidy clang-tidy clang-query; do printf '#!/bin/sh\nexit 1\n' >"$bin/$tool" && chmod +x "$bin/$tool"; done
done
