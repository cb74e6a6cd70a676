#!/usr/bin/env bash
# cadScreenshot.sh KIVO.exe DESIGN SHOT: starts KIVO CAD under Wine on the
# current (virtual) display with DESIGN, draws a rectangle with the pointer as
# a user would (key R, then a drag), saves a screenshot of the screen to SHOT,
# ends the program and checks that the picture shows the editor (many colours,
# and the green of the selected rectangle). Needs DISPLAY and WINEPREFIX set
# (scripts/env.sh, kivo_wine_up).
set -euo pipefail
. "$(dirname "$0")/env.sh"
kivo=$1
design=$2
shot=$3
rm -f "$shot"
wine "$kivo" "$design" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
if ! window=$(kivo_wait_window "KIVO CAD"); then
  echo "cadScreenshot.sh: KIVO CAD did not show its window" >&2
  exit 1
fi
sleep 1
# The board view has the keyboard focus: R arms a new rectangle; the drag
# draws it to the right of the board, where the view shows its grey.
eval "$(xdotool getwindowgeometry --shell "$window")"
x=$((X + 560)); y=$((Y + 200))
xdotool mousemove "$x" "$y" key r
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove $((x + 30 * step)) $((y + 20 * step))
  sleep 0.05
done
xdotool mouseup 1
xdotool mousemove $((X + 20)) $((Y + 700))
sleep 0.5
import -window root "$shot"
colours=$(identify -format '%k' "$shot")
green=$(convert "$shot" -fill black +opaque 'rgb(0,200,0)' -fill white -opaque 'rgb(0,200,0)' \
        -format '%[fx:round(mean*w*h)]' info:)
echo "screenshot $shot: $colours colours, $green pixels of the selected rectangle's outline"
[ "$colours" -gt 20 ] && [ "$green" -gt 100 ]
