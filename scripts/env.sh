# Sourced by the build and test scripts: paths, and the Wine side of the
# Windows configuration (prefix, fonts, virtual display, a persistent server).
KIVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export KIVO_ROOT
export WINEPREFIX=${KIVO_WINEPREFIX:-$KIVO_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEARCH=win64

# kivo_wine_up: make the prefix once, start a virtual display and a wine server
# that stays up for the whole run (each wine start is then fast).
kivo_wine_up() {
  if [ -z "${KIVO_DISPLAY:-}" ]; then
    local n=91
    while [ -e /tmp/.X$n-lock ] && ! [ -S /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    KIVO_DISPLAY=:$n
  fi
  export DISPLAY=$KIVO_DISPLAY
  if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && ! [ -S /tmp/.X11-unix/X${DISPLAY#:} ]; then
    (Xvfb "$DISPLAY" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &)
    for _ in $(seq 50); do [ -S /tmp/.X11-unix/X${DISPLAY#:} ] && break; sleep 0.1; done
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
  (wineserver -p >/dev/null 2>&1 &)
  # The first program of a new server sets up the session; do it here so the
  # first test does not pay for it.
  wine cmd.exe /c exit >/dev/null 2>&1 || true
}

kivo_wine_down() {
  wineserver -k >/dev/null 2>&1 || true
}
