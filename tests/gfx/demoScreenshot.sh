#!/bin/sh
# Runs gfx-demo under Wine, takes a screenshot of the virtual display into $2
# and checks the control's own pixels in it: the demo says where its control
# is, and that part of the screen must hold the demo's picture (many colours,
# and the yellow filled box at (120, 40)-(220, 110) of the control), not what
# a control that draws nothing would leave there.
set -eu
demo=$1
shot=$2
rm -f "$shot"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
wine "$demo" 4000 >"$out" &
pid=$!
sleep 2.5
import -window root "$shot"
wait $pid
where=$(tr -d '\r' <"$out" | sed -n 's/^control at \([0-9-]*\),\([0-9-]*\) size \([0-9]*\)x\([0-9]*\)$/\3x\4+\1+\2/p')
if [ -z "$where" ]; then
  echo "gfx-demo did not say where its control is"
  exit 1
fi
colours=$(convert "$shot" -crop "$where" +repage -format '%k' info:)
box=$(convert "$shot" -crop "$where" +repage -format '%[hex:u.p{170,75}]' info:)
echo "screenshot $shot: control at $where, $colours colours, filled box $box"
[ "$colours" -gt 20 ] && [ "$box" = "FFDC00" ]
