#!/usr/bin/env bash
# comPort.sh sim N [kivo-sim options...] -- COMMAND...
# comPort.sh pair N -- COMMAND...
#
# Gives Wine programs serial ports on pseudo-terminals, runs COMMAND, and
# removes the ports again; exits with COMMAND's status.
#   sim:  kivo-sim plays the controller on \\.\COM<N>. COMMAND gets
#         KIVO_SIM_PORT (the device name), KIVO_SIM_LINE (the
#         pseudo-terminal, for native programs) and KIVO_SIM_RECORD (the
#         simulator's record of the lines it took, as a Windows path).
#   pair: \\.\COM<N> and \\.\COM<N+1> are the two ends of one line (socat).
#         COMMAND gets KIVO_PORT_A and KIVO_PORT_B, and KIVO_PORT_HANGUP: a
#         file (Windows path) whose making ends the line, as when a USB
#         adapter is pulled out.
# A port is reached through the prefix's device link, which a running wine
# server sees at once, and its registry entry, which rebuilds the link when a
# server starts. Callers that may run side by side take different N.
# KIVO_SIM names the simulator (default: the native build's).
set -uo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
mode=$1
n=$2
shift 2
opts=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  opts+=("$1")
  shift
done
shift
work=$(mktemp -d)
pids=()
ports=()

device() { echo "$WINEPREFIX/dosdevices/com$1"; }

# Ends kivo-sim (what it says on its way out goes to sim.err) or socat.
stopAll() {
  for pid in "${pids[@]}"; do
    kill -TERM "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  pids=()
}

cleanup() {
  stopAll
  for port in "${ports[@]}"; do
    wine reg delete 'HKLM\Software\Wine\Ports' /v "COM$port" /f >/dev/null 2>&1
    [ -L "$(device "$port")" ] && rm -f "$(device "$port")"
  done
  rm -rf "$work"
}
trap cleanup EXIT

# map PORT TARGET: \\.\COM<PORT> opens TARGET.
map() {
  ports+=("$1")
  wine reg add 'HKLM\Software\Wine\Ports' /v "COM$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
  ln -sfn "$2" "$(device "$1")"
}

# waitFor PATH PID: waits until PATH exists while PID runs.
waitFor() {
  for _ in $(seq 300); do
    [ -e "$1" ] && return 0
    kill -0 "$2" 2>/dev/null || break
    sleep 0.05
  done
  echo "comPort.sh: $1 did not appear" >&2
  cat "$work"/*.err >&2 2>/dev/null
  exit 1
}

case $mode in
  sim)
    sim=${KIVO_SIM:-$KIVO_ROOT/build/native/bin/kivo-sim}
    record=$work/record.txt
    "$sim" --quiet --link "$work/line" --record "$record" "${opts[@]}" >"$work/sim.out" 2>"$work/sim.err" &
    pids+=($!)
    waitFor "$work/line" "${pids[0]}"
    map "$n" "$work/line"
    export KIVO_SIM_PORT="\\\\.\\COM$n" KIVO_SIM_LINE=$work/line KIVO_SIM_RECORD="Z:${record//\//\\}"
    ;;
  pair)
    socat pty,raw,echo=0,link="$work/a" pty,raw,echo=0,link="$work/b" 2>"$work/socat.err" &
    pids+=($!)
    waitFor "$work/a" "${pids[0]}"
    waitFor "$work/b" "${pids[0]}"
    map "$n" "$work/a"
    map "$((n + 1))" "$work/b"
    socatPid=${pids[0]}
    (while kill -0 "$socatPid" 2>/dev/null; do
       [ -e "$work/hangup" ] && kill "$socatPid"
       sleep 0.05
     done) &
    pids+=($!)
    export KIVO_PORT_A="\\\\.\\COM$n" KIVO_PORT_B="\\\\.\\COM$((n + 1))"
    export KIVO_PORT_HANGUP="Z:${work//\//\\}\\hangup"
    ;;
  *)
    echo "usage: comPort.sh sim|pair N [options...] -- COMMAND..." >&2
    exit 2
    ;;
esac
"$@"
status=$?
stopAll
[ -s "$work/sim.err" ] && cat "$work/sim.err" >&2
exit $status
