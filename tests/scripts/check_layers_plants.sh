#!/bin/sh
# Plants layer faults one at a time in a copy of the tree and expects check-layers.sh to refuse
# each, naming the planted file; the unplanted copy must pass.
#   check_layers_plants.sh SOURCE_DIR
set -eu
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fresh() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree"
  cp -R "$source/core" "$source/report" "$source/cli" "$source/ui" "$work/tree/"
}

# plant NAME FILE LINE: FILE (relative to the copy) gets LINE at its end, made if missing.
plant() {
  name=$1 file=$2 line=$3
  fresh
  mkdir -p "$(dirname "$work/tree/$file")"
  printf '%s\n' "$line" >>"$work/tree/$file"
  if sh "$source/scripts/check-layers.sh" "$work/tree" >"$work/out" 2>&1; then
    echo "FAIL: $name passed the layer check" >&2
    failures=$((failures + 1))
  elif ! grep -q "^$file:" "$work/out"; then
    echo "FAIL: $name was refused without naming $file:" >&2
    cat "$work/out" >&2
    failures=$((failures + 1))
  fi
}

fresh
if ! sh "$source/scripts/check-layers.sh" "$work/tree" >"$work/out" 2>&1; then
  echo "FAIL: the tree as it is does not pass:" >&2
  cat "$work/out" >&2
  exit 1
fi

plant "Qt in core" core/base/LineList.h '#include <QString>'
plant "Qt in cli" cli/BatchCheck.cpp '#include <QtCore/QFile>'
plant "a lower-case Qt header in core" core/base/LineList.h '#include <qglobal.h>'
plant "a lower-case Qt header in the reports" report/OutputStream.h '#include <qstring.h>'
plant "libxlsxwriter in core" core/check/WinTotal.cpp '#include <xlsxwriter.h>'
plant "an upward include one folder deeper" ui/widgets/deeper/Planted.h '#include "ui/browser/FileListBox.h"'
plant "an upward include two folders deeper" core/a/b/Planted.cpp '#include "cli/BatchCheck.h"'
plant "a spaced directive" core/base/LineList.cpp '# include "ui/Unit1.h"'
plant "an indented directive" cli/BatchCheck.h '  #  include <QObject>'
plant "one room seeing its sibling" ui/editor/Unit3.cpp '#include "ui/browser/FileListBox.h"'
plant "a sibling in angle brackets" ui/editor/Unit3.cpp '#include <ui/browser/FileListBox.h>'
plant "a core area seeing one above it" core/text/NumberForm.cpp '#include "core/check/WinTotal.h"'
plant "the core seeing the reports" core/check/CheckState.cpp '#include <report/OutputStream.h>'
plant "the reports seeing the window" report/LogWriter.cpp '#include "ui/Unit1.h"'

[ "$failures" -eq 0 ] || exit 1
echo "layers: every planted fault was refused"
