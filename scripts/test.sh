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
ctest --test-dir build/native --output-on-failure -j 2 || status=1
ctest --test-dir build/fuzz --output-on-failure || status=1
# Wine now and then aborts a test program in its own loader as the program
# exits, after the test has passed ("Inconsistency detected by ld.so"); a
# failed Windows test is therefore run once more before it counts.
ctest --test-dir build/windows --output-on-failure -j 2 --repeat until-pass:2 || status=1
exit $status
