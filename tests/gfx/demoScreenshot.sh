#!/bin/sh
# Runs gfx-demo under Wine, takes a screenshot of the virtual display into $2
# and checks that the picture is not blank.
set -eu
demo=$1
shot=$2
rm -f "$shot"
wine "$demo" 4000 &
pid=$!
sleep 2.5
import -window root "$shot"
wait $pid
colours=$(identify -format '%k' "$shot")
echo "screenshot $shot: $colours colours"
[ "$colours" -gt 20 ]
