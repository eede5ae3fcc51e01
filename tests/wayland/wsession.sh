# Helpers for the Wayland end-to-end tests: a headless compositor started and
# stopped here, as a user other than root (sway refuses root). Source it.

w_pids=()
w_env=()  # NAME=value words that every command gets (a private session bus)
w_cleanup() {
  ((${#w_pids[@]})) && { kill "${w_pids[@]}"; wait "${w_pids[@]}"; } 2>/dev/null
  [[ -n "${w_tmp:-}" ]] && rm -rf "$w_tmp"
}
trap w_cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/common.sh"

w_tmp=$(mktemp -d) && chmod 755 "$w_tmp"
w_user=""

# As root, everything runs as an unprivileged user made for the tests.
w_setup_user() {
  [[ $(id -u) -ne 0 ]] && return 0
  w_user=talvortest
  id "$w_user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$w_user" >/dev/null 2>&1 ||
    { echo "could not create the user $w_user" >&2; return 1; }
}

# A folder that the test user owns.
w_own_dir() {
  mkdir -p "$1" && chmod "${2:-755}" "$1"
  [[ -z "$w_user" ]] || chown "$w_user:" "$1"
}

# Runs a command as the test user with a clean environment; extra
# variables come first as NAME=value words. w_spawn runs it in the
# background with $! its own pid (so that kill reaches it) and records it
# for the clean-up.
w_spawn() { W_EXEC=1 w_run "$@" & w_pids+=($!); }
w_run() {
  local vars=(PATH=/usr/local/bin:/usr/bin:/bin HOME="$w_tmp" XDG_RUNTIME_DIR="$w_runtime" LC_ALL=C.UTF-8)
  [[ -n "${WAYLAND_DISPLAY:-}" ]] && vars+=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY")
  vars+=("${w_env[@]}")
  while [[ $# -gt 0 && "$1" == *=* ]]; do vars+=("$1"); shift; done
  local cmd=(env -i "${vars[@]}" "$@")
  [[ -n "$w_user" ]] && cmd=(setpriv --reuid="$w_user" --regid="$w_user" --clear-groups -- "${cmd[@]}")
  if [[ -n "${W_EXEC:-}" ]]; then exec "${cmd[@]}"; fi
  "${cmd[@]}"
}

# A private session bus for the test user; sets w_bus to its address.
w_start_bus() {
  local out
  out=$(w_run dbus-daemon --session --fork --print-address=1 --print-pid=1) || return 1
  w_bus=$(sed -n 1p <<<"$out") && w_pids+=("$(sed -n 2p <<<"$out")") && [[ -n "$w_bus" ]]
}

# Starts a headless compositor: "sway", "weston" or "kwin"; sets
# WAYLAND_DISPLAY (and X_DISPLAY for sway's Xwayland). KWin runs on a
# private bus and reads desktop files from $w_tmp/share first.
w_start_compositor() {
  local which=$1 i
  w_runtime="$w_tmp/run-$which"
  w_own_dir "$w_runtime" 700
  if [[ $which == kwin ]]; then
    # A copy under the same name: the installed binary carries a file
    # capability that a container may not grant, and cp drops it.
    w_own_dir "$w_tmp/kwin-bin" && cp /usr/bin/kwin_wayland "$w_tmp/kwin-bin/kwin_wayland"
    w_own_dir "$w_tmp/share" && w_own_dir "$w_tmp/share/applications" && w_own_dir "$w_tmp/kwin-home" 700
    w_start_bus || { echo "could not start a session bus" >&2; return 1; }
    w_spawn DBUS_SESSION_BUS_ADDRESS="$w_bus" XDG_DATA_DIRS="$w_tmp/share:/usr/share" \
      XDG_CONFIG_HOME="$w_tmp/kwin-home/config" XDG_CACHE_HOME="$w_tmp/kwin-home/cache" \
      "$w_tmp/kwin-bin/kwin_wayland" --virtual --width 1280 --height 1024 --socket wayland-1 --no-lockscreen \
      >"$w_tmp/kwin.log" 2>&1
  elif [[ $which == sway ]]; then
    printf 'output HEADLESS-1 resolution 1280x800\nexec echo "$DISPLAY" > %s/display\n' "$w_runtime" >"$w_tmp/sway.conf"
    chmod 644 "$w_tmp/sway.conf"
    w_spawn WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
      sway -c "$w_tmp/sway.conf" >"$w_tmp/sway.log" 2>&1
  else
    w_spawn weston --backend=headless-backend.so --socket=wayland-1 --idle-time=0 >"$w_tmp/weston.log" 2>&1
  fi
  if ! wait_for 10 eval 'test -S "$w_runtime/wayland-1" || ! kill -0 "${w_pids[-1]}" 2>/dev/null' ||
    [[ ! -S "$w_runtime/wayland-1" ]]; then
    echo "could not start $which:" >&2 && tail -5 "$w_tmp/$which.log" >&2
    return 1
  fi
  export WAYLAND_DISPLAY=wayland-1
  [[ $which == sway ]] && { wait_for 5 test -s "$w_runtime/display"; X_DISPLAY=$(cat "$w_runtime/display" 2>/dev/null); }
  return 0
}
