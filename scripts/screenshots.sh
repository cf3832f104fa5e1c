#!/bin/sh
# Makes the README's pictures from the real program: starts an already built kelmora under
# Xvfb in examples/, picks the sample draw on the first page, opens the sample tickets and
# runs a check on the second, types a draw into the draw editor, and captures the windows
# into docs/screenshots/.
#   sh scripts/screenshots.sh [BUILD_DIR]     (BUILD_DIR defaults to build/)
# Needs xvfb-run, xdotool and ImageMagick's import: sh scripts/install-deps.sh installs them.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--on-display" ]; then
  build=$(cd "${1:-$root/build}" 2>/dev/null && pwd) || build=${1:-$root/build}
  if [ ! -x "$build/ui/kelmora" ]; then
    echo "screenshots.sh: $build/ui/kelmora is missing; build it first (sh scripts/build.sh)" >&2
    exit 1
  fi
  for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || {
      echo "screenshots.sh: $tool is missing; run sh scripts/install-deps.sh as root" >&2
      exit 1
    }
  done
  exec xvfb-run -a -s "-screen 0 800x600x24" sh "$0" --on-display "$build"
fi
build=$2
out=$root/docs/screenshots
mkdir -p "$out"

# Qt's file dialog remembers its history in the user's configuration: keep ours apart.
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" LANG=C.UTF-8
mkdir -m 700 "$XDG_RUNTIME_DIR"

cd "$root/examples"
"$build/ui/kelmora" &
pid=$!
finish() {
  kill "$pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap finish EXIT

fail() {
  echo "screenshots.sh: $1" >&2
  exit 1
}
# Waits until a visible window has exactly this title and prints its id.
window() {
  timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}
# Captures a window (the main one unless given); without time stamps, so that an unchanged
# window gives the same file.
capture() {
  import -window "${2:-$main}" -strip -define png:exclude-chunks=date,time "$out/$1"
}
# Clicks at a point given in the main window's client coordinates (the menu bar included).
click() {
  xdotool mousemove --window "$main" "$1" "$2" click 1
  sleep 0.5
}

main=$(window 'Kelmora!') || true
[ -n "$main" ] || fail "the main window did not appear"

# Where the tab pages' own coordinates start inside the window: below the menu bar and the
# tab row, inside the page frame (Debian 12's Qt with the IPA gothic font).
px=2
py=43

# First page: nenmatsu-jumbo.wkx, the third draw in the file list (rows are 12 pixels high).
click $((px + 200)) $((py + 8 + 8 + 2 * 12))
capture select.png

# Second page: open the sample tickets from the file menu, then press 確認！.
click 75 30
click 25 9
xdotool key Down Down Return
dialog=$(window '開く') || true
[ -n "$dialog" ] || fail "the open dialog did not appear"
xdotool windowfocus "$dialog"
xdotool type --delay 20 my-tickets.wkn
xdotool key Return
sleep 1
click $((px + 248 + 40)) $((py + 168 + 12))
message=$(window 'メッセージ') || true
[ -n "$message" ] || fail "the check did not finish (no completion message)"
xdotool windowfocus "$message"
xdotool key Return
sleep 0.5
capture check.png

# The draw editor: a new draw typed by keyboard alone, as the README's walk-through does.
xdotool windowfocus "$main"
xdotool key ctrl+n
editor=$(window 'クジの種類の編集') || true
[ -n "$editor" ] || fail "the draw editor did not appear"
xdotool windowfocus "$editor"
xdotool type --delay 20 'Summer draw 2026'
xdotool key Tab
# Each class: label, numbers, prize, then Tab over its kind of match (判定) to the next class.
for cell in 1st '07 58,9"9' 100000 2nd '123 456' 300; do
  xdotool type --delay 20 "$cell"
  xdotool key Tab
  case $cell in 100000|300) xdotool key Tab ;; esac
done
sleep 0.5
capture editor.png "$editor"
echo "screenshots.sh: wrote $out/select.png, $out/check.png and $out/editor.png"
