#!/bin/sh
# Under a real X server (Xvfb) and by keyboard alone: the main window's icon name is the
# application title, and from the ticket number box Tab three times and Enter run the check,
# which shows the completion message. Usage: scripts/check-keyboard.sh [path/to/kelmora]
set -eu
program=$(realpath "${1:-build/ui/kelmora}")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$program"
fi
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
"$program" &
pid=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --sync --limit 1 --pid "$pid" --name '^Kelmora!$' 2>/dev/null || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "FAIL: the main window did not appear"; exit 1; }
echo "caption:   $(xprop -id "$window" _NET_WM_NAME | sed 's/^[^=]*= //')"
icon_name=$(xprop -id "$window" _NET_WM_ICON_NAME | sed 's/^[^=]*= //')
echo "icon name: $icon_name"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.3
# Ctrl+Tab to the check page lands on its first control, ListBox1; three Tabs reach Edit2.
xdotool key --delay 100 ctrl+Tab Tab Tab Tab
xdotool type --delay 50 456
# From the number box: three Tabs (Memo1, Button2, Button3), then Enter.
xdotool key --delay 100 Tab Tab Tab Return
message=""
for _ in $(seq 25); do
  message=$(xdotool search --pid "$pid" --name '^メッセージ$' 2>/dev/null | head -n 1 || true)
  [ -n "$message" ] && break
  sleep 0.2
done
status=0
if [ "$icon_name" = '"Kelmora！"' ]; then echo "PASS: icon name"; else echo "FAIL: icon name"; status=1; fi
if [ -n "$message" ]; then echo "PASS: completion message shown after Tab Tab Tab Enter"; else echo "FAIL: no completion message"; status=1; fi
exit $status
