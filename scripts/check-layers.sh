#!/bin/sh
# Fails when a file includes a header from a layer above its own, or when code below the window
# includes Qt, or code below the reports includes libxlsxwriter. A file belongs to the deepest
# layer folder that holds it. Project headers count in quotes and in angle brackets alike.
#   core/base    core/base
#   core/text    core/base, core/text
#   core/files   core/base, core/files
#   core/match   core/base, core/text, core/match
#   core/draw    the core areas above, core/draw
#   core/results the core areas above but check, core/results
#   core/check   every core area but results
#   report       core, report
#   cli          core, report, cli
#   ui/platform  core, ui/platform
#   ui/text      core, ui/text
#   ui/widgets   core, ui/platform, ui/text, ui/widgets
#   ui/browser   core, ui/platform, ui/text, ui/widgets, ui/browser
#   ui/editor    core, ui/platform, ui/text, ui/widgets, ui/editor
#   ui           everything
set -eu
cd "${1:-$(dirname "$0")/..}"
find core report cli ui -type f \( -name '*.h' -o -name '*.cpp' \) | sort | xargs grep -HEn '^[[:space:]]*#[[:space:]]*include' | awk '
BEGIN {
    core = "core/base core/text core/files core/match core/draw core/results core/check"
    allowed["core/base"] = "core/base"
    allowed["core/text"] = "core/base core/text"
    allowed["core/files"] = "core/base core/files"
    allowed["core/match"] = "core/base core/text core/match"
    allowed["core/draw"] = "core/base core/text core/files core/match core/draw"
    allowed["core/results"] = "core/base core/text core/files core/match core/draw core/results"
    allowed["core/check"] = "core/base core/text core/files core/match core/draw core/check"
    allowed["report"] = core " report"
    allowed["cli"] = core " report cli"
    allowed["ui/platform"] = core " ui/platform"
    allowed["ui/text"] = core " ui/text"
    allowed["ui/widgets"] = core " ui/platform ui/text ui/widgets"
    allowed["ui/browser"] = core " ui/platform ui/text ui/widgets ui/browser"
    allowed["ui/editor"] = core " ui/platform ui/text ui/widgets ui/editor"
    allowed["ui"] = core " report ui/platform ui/text ui/widgets ui/browser ui/editor ui"
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
        below = own ~ /^core\// || own == "report" || own == "cli"
        # Qt headers: <QWidget>, <QtCore/qglobal.h>, <qglobal.h>.
        if (below && (header ~ /^Q/ || header ~ /^q[a-z0-9_]*\.h$/)) {
            print file ": includes <" header ">, but " own "/ does not use Qt"; failed = 1
            next
        }
        if (own ~ /^core\// && header ~ /^xlsxwriter/) {
            print file ": includes <" header ">, but only report/ writes workbooks"; failed = 1
            next
        }
        if (header !~ /^(core|report|cli|ui)\//) next
    } else if (match(line, /"[^"]+"/)) {
        header = substr(line, RSTART + 1, RLENGTH - 2)
    } else next
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
