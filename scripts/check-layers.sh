#!/bin/sh
# Fails when a file includes a header from a layer above its own: core sees only core; the
# platform layer core and itself; the browser core, the platform and itself; kelmora-check core.
set -eu
cd "${1:-$(dirname "$0")/..}"
status=0
check() { # folder, allowed include prefixes...
  folder=$1; shift
  pattern=$(printf '%s|' "$@"); pattern=${pattern%|}
  for file in $(find "$folder" -maxdepth 1 -name '*.h' -o -maxdepth 1 -name '*.cpp' | sort); do
    grep -Eo '^#include "[^"]+"' "$file" | sed 's/^#include "//; s/"$//' | while read -r header; do
      if ! printf '%s\n' "$header" | grep -Eq "^($pattern)[^/]*$"; then
        echo "$file: includes $header, which its layer may not see"
        echo x >> "$marks"
      fi
    done
  done
}
marks=$(mktemp); trap 'rm -f "$marks"' EXIT
check core core/
check cli core/ cli/
check ui/platform core/ ui/platform/
check ui/browser core/ ui/platform/ ui/browser/
check ui core/ ui/ ui/platform/ ui/browser/
[ -s "$marks" ] && status=1
[ $status -eq 0 ] && echo "layers: every include stays within its layer"
exit $status
