# Shell helpers for the scripts that need a real X server: a private Xvfb
# at 96 dpi, optionally openbox, and a temporary settings folder. Source it;
# everything started here is stopped when the script exits.

x_pids=()
x_cleanup() {
  local p
  for p in "${x_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${x_pids[@]}"; do wait "$p" 2>/dev/null || true; done
  [[ -n "${x_tmp:-}" ]] && rm -rf "$x_tmp"
}
trap x_cleanup EXIT

x_tmp=$(mktemp -d)
# The run history and notifications of the program under test stay here,
# never in the user's own.
export XDG_STATE_HOME="$x_tmp/state"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$x_tmp/no-session-bus"

# Starts Xvfb on a display number that the server itself picks (so that
# parallel runs never race for one) and exports DISPLAY.
x_start_server() {
  local fd_file="$x_tmp/xvfb.display" i
  : >"$fd_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset \
    3>"$fd_file" >"$x_tmp/xvfb.log" 2>&1 &
  x_pids+=($!)
  for i in $(seq 200); do
    if [[ -s "$fd_file" ]] && grep -q '^[0-9]*$' "$fd_file"; then
      export DISPLAY=":$(head -n1 "$fd_file")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    kill -0 "${x_pids[-1]}" 2>/dev/null || break
    sleep 0.05
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Starts openbox and waits until it manages windows.
x_start_wm() {
  openbox >"$x_tmp/openbox.log" 2>&1 &
  x_pids+=($!)
  local i
  for i in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.05
  done
  echo "openbox did not start" >&2
  return 1
}

# A fresh settings folder; its INI file is $x_ini.
x_fresh_settings() {
  export XDG_CONFIG_HOME="$x_tmp/config-$RANDOM$RANDOM"
  mkdir -p "$XDG_CONFIG_HOME/TalvorStart"
  x_ini="$XDG_CONFIG_HOME/TalvorStart/TalvorStart.ini"
}

# Waits until the command succeeds, up to the given seconds.
x_wait_for() {
  local seconds=$1
  shift
  local i
  for i in $(seq $((seconds * 20))); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

# The keys a backup program gets in a run for job 3, as the demo logs them.
x_job_keys() {
  local s="Alt+B" i
  for i in $(seq 20); do s+=" Up"; done
  echo "$s Down Down Return Alt+S"
}
