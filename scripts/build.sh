#!/usr/bin/env bash
# Configures and builds the native and Windows configurations (and, with
# --fuzz, the libFuzzer targets) into build/<config>.
set -euo pipefail
. "$(dirname "$0")/env.sh"
cd "$KIVO_ROOT"
jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
      -DKIVO_NATIVE_BIN="$KIVO_ROOT/build/native/bin" >/dev/null
cmake --build build/windows -j "$jobs"
if [ "${1:-}" = "--fuzz" ]; then
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DKIVO_FUZZ=ON >/dev/null
  cmake --build build/fuzz -j "$jobs"
fi
