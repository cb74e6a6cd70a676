#!/usr/bin/env bash
# The main job: installs what is missing, builds both configurations, and
# turns the bundled sample design into a milling program with kivo-etch.
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
