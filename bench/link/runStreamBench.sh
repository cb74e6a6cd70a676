#!/usr/bin/env bash
# Streams a 10,000-line program (the sample designs' programs, one after the
# other) to kivo-sim, on an unpaced line and on one paced like a 115200-baud
# line: through KIVOTerminal.exe under Wine (link_stream_bench), and through
# the protocol core natively (link_native_stream) for the rate the simulator
# and this machine allow. Checks that the simulator took every line once.
# kivo-sim --timing adds its own view of every run: per line, the line's own
# time, how late its replies went out and the time from the replies to the
# next frame (pseudo-terminal, wake-ups and the sender), with the share of
# the line's own time.
# Needs both builds (bash scripts/build.sh).
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
cd "$KIVO_ROOT"
native=$KIVO_ROOT/build/native/bin
windows=$KIVO_ROOT/build/windows/bin
work=$(mktemp -d)
trap 'kivo_wine_down; rm -rf "$work"' EXIT
kivo_wine_up

program=$work/program.txt
while [ ! -s "$program" ] || [ "$(wc -l < "$program")" -lt 10000 ]; do
  for design in examples/*.cnc; do "$native/kivo-etch" "$design" >> "$program"; done
done
head -n 10000 "$program" > "$work/p" && mv "$work/p" "$program"
# What the simulator must take: every line but the comments, and the empty
# line the editor shows after the last line break.
{ tr -d '\r' < "$program" | grep -v $'^[\x01- ]*;'; echo; } > "$work/expected.txt"
echo "program: 10000 lines, $(wc -l < "$work/expected.txt") to send; load average $(cut -d' ' -f1-3 /proc/loadavg)"

for pacing in "" "--baud 115200"; do
  echo "== kivo-sim ${pacing:-without pacing}"
  # shellcheck disable=SC2086
  bash tests/link/comPort.sh sim 90 $pacing --timing -- bash -c '
    wine "$0" "$1" "$KIVO_SIM_PORT" $2 || exit 1
    cmp -s "$(winepath -u "$KIVO_SIM_RECORD")" "$3" && echo "kivo-sim took every line once, in order" ||
      echo "kivo-sim took other lines than the program'"'"'s"' \
    "$windows/link_stream_bench.exe" "Z:${program//\//\\}" "$pacing" "$work/expected.txt"
  # shellcheck disable=SC2086
  bash tests/link/comPort.sh sim 90 $pacing --timing -- bash -c '"$0" "$1" "$KIVO_SIM_LINE" $2' \
    "$native/link_native_stream" "$program" "$pacing"
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
