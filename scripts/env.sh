# Sourced by the build and test scripts: paths, and the Wine side of the
# Windows configuration (prefix, fonts, virtual display, a persistent server).
KIVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export KIVO_ROOT
export WINEPREFIX=${KIVO_WINEPREFIX:-$KIVO_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEARCH=win64

# kivo_start_xvfb [N]: start a virtual display, on :N or on the first free
# number, and export DISPLAY. Xvfb itself takes over lock files and sockets that
# a dead server left behind; -noreset keeps it from resetting whenever its last
# client (Wine's desktop process comes and goes) disconnects.
kivo_start_xvfb() {
  local numfile
  numfile=$(mktemp)
  if [ -n "${1:-}" ]; then
    echo "$1" > "$numfile"
    Xvfb ":$1" -screen 0 1600x1200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  else
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$numfile" >/dev/null 2>&1 &
  fi
  KIVO_XVFB_PID=$!
  local n=""
  for _ in $(seq 100); do
    n=$(tr -dc 0-9 < "$numfile")
    if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then break; fi
    n=""
    sleep 0.1
  done
  rm -f "$numfile"
  if [ -z "$n" ]; then
    echo "env.sh: the virtual display (Xvfb) did not start" >&2
    return 1
  fi
  export DISPLAY=:$n
}

# kivo_wine_up: make the prefix once, start a virtual display (or use the live
# one KIVO_DISPLAY names) and a wine server that stays up for the whole run
# (each wine start is then fast).
kivo_wine_up() {
  if [ -n "${KIVO_DISPLAY:-}" ] && xdpyinfo -display "$KIVO_DISPLAY" >/dev/null 2>&1; then
    export DISPLAY=$KIVO_DISPLAY
  else
    local n=${KIVO_DISPLAY:-}
    kivo_start_xvfb "${n#:}" || return 1
  fi
  if [ ! -f "$WINEPREFIX/.kivo-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    local reg="$WINEPREFIX/kivo-fonts.reg"
    printf '%s\r\n' 'REGEDIT4' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"Courier New"="Liberation Mono"' \
      '"Times New Roman"="Liberation Serif"' \
      '"Arial"="Liberation Sans"' '' \
      '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
      '"Managed"="N"' > "$reg"
    wine regedit "$reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.kivo-ready"
  fi
  # A server left by an earlier run may hold a desktop on a display that is
  # gone, where no window can be made: start a fresh one.
  wineserver -k >/dev/null 2>&1 || true
  (wineserver -p >/dev/null 2>&1 &)
  # The first program of a new server sets up the session; do it here so the
  # first test does not pay for it.
  wine cmd.exe /c exit >/dev/null 2>&1 || true
}

# kivo_wait_window TITLE: waits up to 15 s for a visible window with exactly
# that title on DISPLAY and prints its X id; fails if none shows.
kivo_wait_window() {
  local window=""
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

kivo_wine_down() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${KIVO_XVFB_PID:-}" ]; then
    kill "$KIVO_XVFB_PID" 2>/dev/null || true
    KIVO_XVFB_PID=""
  fi
}
