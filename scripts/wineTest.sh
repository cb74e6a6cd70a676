#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (the emulator of the windows
# configuration). Wine now and then aborts a program in its own loader as it
# exits, after its tests have passed ("Inconsistency detected by ld.so"); only
# then, and only when no test reported a failure, is the program run once more.
# Every other failure counts at once.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  wine "$@" >"$out" 2>"$err"
  rc=$?
  cat "$out"
  cat "$err" >&2
  if [ "$rc" -ne 0 ] && [ "$attempt" -eq 1 ] &&
     grep -q "Inconsistency detected by ld.so" "$err" &&
     ! grep -q "^\[  FAILED  \]" "$out"; then
    echo "wineTest.sh: Wine's loader aborted at exit; running the program again" >&2
    continue
  fi
  break
done
exit "$rc"
