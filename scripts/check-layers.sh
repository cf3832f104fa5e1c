#!/bin/sh
# Fails when a file includes a header from a layer above its own, or when code below the window
# includes Qt. A file belongs to the deepest layer folder that holds it, at any depth beneath it.
#   core         core
#   cli          core, cli                    (neither includes Qt)
#   ui/platform  core, ui/platform
#   ui/text      core, ui/text
#   ui/widgets   core, ui/platform, ui/text, ui/widgets
#   ui/browser   core, ui/platform, ui/text, ui/widgets, ui/browser
#   ui/editor    core, ui/platform, ui/text, ui/widgets, ui/editor
#   ui           everything
set -eu
cd "${1:-$(dirname "$0")/..}"
find core cli ui -type f \( -name '*.h' -o -name '*.cpp' \) | sort | xargs grep -HEn '^[[:space:]]*#[[:space:]]*include' | awk '
BEGIN {
    allowed["core"] = "core"
    allowed["cli"] = "core cli"
    allowed["ui/platform"] = "core ui/platform"
    allowed["ui/text"] = "core ui/text"
    allowed["ui/widgets"] = "core ui/platform ui/text ui/widgets"
    allowed["ui/browser"] = "core ui/platform ui/text ui/widgets ui/browser"
    allowed["ui/editor"] = "core ui/platform ui/text ui/widgets ui/editor"
    allowed["ui"] = "core ui/platform ui/text ui/widgets ui/browser ui/editor ui"
    failed = 0
}
function layer(path,    best, l) {
    best = ""
    for (l in allowed)
        if (index(path, l "/") == 1 && length(l) > length(best))
            best = l
    return best
}
{
    file = $0; sub(/:.*/, "", file)
    line = $0; sub(/^[^:]*:[0-9]+:/, "", line)
    own = layer(file)
    if (match(line, /<[^>]+>/)) {
        header = substr(line, RSTART + 1, RLENGTH - 2)
        if ((own == "core" || own == "cli") && header ~ /^Q/) {
            print file ": includes <" header ">, but " own "/ does not use Qt"; failed = 1
        }
        next
    }
    if (!match(line, /"[^"]+"/)) next
    header = substr(line, RSTART + 1, RLENGTH - 2)
    target = layer(header)
    ok = 0
    if (target != "") {
        n = split(allowed[own], seen, " ")
        for (i = 1; i <= n; i++) if (seen[i] == target) ok = 1
    }
    if (!ok) { print file ": includes " header ", which its layer may not see"; failed = 1 }
}
END {
    if (failed) exit 1
    print "layers: every include stays within its layer"
}'
