#!/usr/bin/env bash
# The main job: installs what is missing, builds both configurations, cuts the
# sample design into a milling program with kivo-etch, and starts KIVO CAD
# under Wine with it. On the user's display (DISPLAY set and reachable) the
# editor stays open until it is closed. With no display, a virtual one is
# started, the editor opens the design there, and a screenshot of it is saved
# to out/kivo-cad.png; the editor and the display are then stopped.
set -euo pipefail
. "$(dirname "$0")/env.sh"
cd "$KIVO_ROOT"
bash scripts/setup.sh
bash scripts/build.sh
design=${1:-examples/mounting-plate.cnc}
mkdir -p out
program=out/$(basename "${design%.*}").txt
build/native/bin/kivo-etch "$design" -o "$program"
echo "G-code for $design written to $KIVO_ROOT/$program ($(wc -l < "$program") lines)"

kivo=build/windows/bin/KIVO.exe
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export KIVO_DISPLAY=$DISPLAY
  trap kivo_wine_down EXIT
  kivo_wine_up
  echo "Starting KIVO CAD with $design on display $DISPLAY (close its window to end)"
  # The editor's Generate GCode writes output.txt into out/ and starts the
  # terminal from there.
  (cd out && wine "$KIVO_ROOT/$kivo" "$KIVO_ROOT/$design")
else
  unset KIVO_DISPLAY
  trap kivo_wine_down EXIT
  kivo_wine_up
  shot=$KIVO_ROOT/out/kivo-cad.png
  (cd out && wine "$KIVO_ROOT/$kivo" "$KIVO_ROOT/$design" >/dev/null 2>&1 &)
  kivo_wait_window "KIVO CAD" >/dev/null || { echo "run.sh: KIVO CAD did not start" >&2; exit 1; }
  sleep 1
  import -window root "$shot"
  echo "No display: KIVO CAD ran on a virtual display ($DISPLAY) with $design;"
  echo "screenshot of the running editor: $shot"
fi
