#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# native (under ASan/UBSan), fuzz smoke runs, and the Windows tests under Wine
# on a virtual display.
set -euo pipefail
. "$(dirname "$0")/env.sh"
cd "$KIVO_ROOT"
bash scripts/setup.sh
bash scripts/build.sh --fuzz
trap kivo_wine_down EXIT
kivo_wine_up
status=0
ctest --preset native -j 2 || status=1
ctest --preset fuzz || status=1
# Each Windows test program runs through scripts/wineTest.sh, which runs it
# again only for Wine's known abort at program exit.
ctest --preset windows -j 2 || status=1
exit $status
