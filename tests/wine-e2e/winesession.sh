# Shell helpers for the Wine end-to-end tests: a private X server with a
# window manager (from xsession.sh) and a Wine prefix on Wine's X11 driver.
# Source it after setting build; everything started here stops at exit.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/xsession.sh"
# Stopped part way, the prefix's persistent server and programs would stay.
trap '[[ -n "${WINEPREFIX:-}" ]] && w_stop; x_cleanup' EXIT

wine=$(command -v wine64 || command -v wine || ls /usr/lib/wine/wine64 2>/dev/null || true)
wineserver=$(command -v wineserver || ls /usr/lib/wine/wineserver 2>/dev/null || true)

# One prefix per build folder and user of it, made once (about 20 s) and
# kept; the X11 driver, so that windows, focus and keys go through a real X
# server. The tests, the bench and the screenshots each lay out the
# registry their own way: w_start NAME gives them prefixes of their own.
w_start() {
  export WINEPREFIX="$build/wineprefix-${1:-x11}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ ! -f "$WINEPREFIX/.ready" ]]; then
    rm -rf "$WINEPREFIX"
    "$wine" wineboot --init >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
    "$wineserver" -w
    touch "$WINEPREFIX/.ready"
  fi
  "$wineserver" -p
  "$wine" wineboot >/dev/null 2>&1
}

# Ends every Wine process of the prefix: the demo and whatever it left.
w_stop() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
}

# A Unix path as Wine's drive Z: names it.
w_path() { local p=${1//\//\\}; echo "Z:$p"; }
