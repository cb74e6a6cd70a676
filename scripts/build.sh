#!/usr/bin/env bash
# Configures and builds the native and Windows configurations (and, with
# --fuzz, the libFuzzer targets) into build/<config>, from CMakePresets.json.
set -euo pipefail
. "$(dirname "$0")/env.sh"
cd "$KIVO_ROOT"
configs=(native windows)
[ "${1:-}" = "--fuzz" ] && configs+=(fuzz)
for config in "${configs[@]}"; do
  cmake --preset "$config" >/dev/null
  cmake --build --preset "$config" -j "$(nproc)"
done
