# Helpers for scripts on a real X server: a private Xvfb at 96 dpi, openbox,
# folders, options, cases, runs of the real talvorstart against a target.
# Source it; all it starts stops when the script exits. Uses $stage.

x_pids=()
x_cleanup() {
  ((${#x_pids[@]})) && { kill "${x_pids[@]}"; wait "${x_pids[@]}"; } 2>/dev/null
  [[ -n "${x_tmp:-}" ]] && rm -rf "$x_tmp"
}
trap x_cleanup EXIT

x_tmp=$(mktemp -d)
# The history, notifications and lock: never the user's, nor a suite's beside this one.
export XDG_STATE_HOME="$x_tmp/state" XDG_RUNTIME_DIR="$x_tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$x_tmp/no-session-bus"

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
x_done() { echo "$failures failed" && ((failures == 0)); }

# STAGE_DIR [--no-wm] [--runs N] [--only CASE,...]; the locale, today as the program writes it.
x_options() {
  export LC_ALL=${x_locale:-C}
  today=$(date +"%-d %b %Y") weekday=$(date +%A)
  stage=$(cd "$1" && pwd) || exit 2
  mode="" runs=1 only=""
  while (($# > 1)); do
    case $2 in --no-wm) mode=--no-wm ;; --runs) runs=$3 && shift ;; --only) only=$3 && shift ;; esac
    shift
  done
}
want() { [[ -z "$only" || ",$only," == *",$1,"* ]]; }
# run_case NAME "what it checks" COMMAND...: the command $runs times, if wanted.
run_case() {
  want "$1" || return 0
  local ok=0 run
  case_name=$2
  for run in $(seq "$runs"); do
    begin "$2"
    "${@:3}"
    ((failures == before)) && ok=$((ok + 1))
  done
  echo "$( ((ok == runs)) && echo PASS || echo FAIL): $case_name ($ok of $runs)"
}

# Starts Xvfb on a display that the server picks (no race with parallel runs); exports DISPLAY.
x_start_server() {
  local fd_file="$x_tmp/xvfb.display" i
  : >"$fd_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset 3>"$fd_file" >"$x_tmp/xvfb.log" 2>&1 &
  x_pids+=($!)
  for i in $(seq 200); do
    grep -qx '[0-9][0-9]*' "$fd_file" && export DISPLAY=":$(head -n1 "$fd_file")" && xdpyinfo >/dev/null 2>&1 && return 0
    kill -0 "${x_pids[-1]}" 2>/dev/null && sleep 0.05 || break
  done
  echo "FAIL: could not start Xvfb" >&2 && return 1
}
# Starts openbox and waits until it manages windows.
x_start_wm() {
  openbox >"$x_tmp/openbox.log" 2>&1 &
  x_pids+=($!)
  wait_for 5 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    { echo "FAIL: openbox did not start" >&2 && return 1; }
}
# Both, or the server only with --no-wm (given, or among the options).
x_start() {
  x_start_server || exit 1
  [[ "${mode:-}" == --no-wm || "${1:-}" == --no-wm ]] || x_start_wm || exit 1
}

# A fresh settings folder; its INI file is $x_ini.
x_fresh_settings() {
  export XDG_CONFIG_HOME="$x_tmp/config-$RANDOM$RANDOM" && x_ini="$XDG_CONFIG_HOME/TalvorStart/TalvorStart.ini"
  mkdir -p "${x_ini%/*}"
}

# A terminal whose input goes to the file $typed; its window is $terminal.
x_terminal() {
  typed="$x_tmp/typed-$RANDOM"
  xterm -T Terminal -e sh -c "stty raw -echo; exec cat >'$typed'" 2>/dev/null &
  x_pids+=($!)
  wait_for 10 xdotool search --name '^Terminal$' >/dev/null || { echo "FAIL: no terminal"; exit 1; }
  terminal=$(xdotool search --name '^Terminal$' | head -1)
}
# The keys a backup program gets in a run for job 3, as the demo logs them.
x_job_keys() { echo "Alt+B$(printf ' Up%.0s' $(seq 20)) Down Down Return Alt+S"; }
# Stops the demo programs that logged "ready PID" to the given file.
x_stop_demo() { kill $(sed -n 's/^ready //p; s/^popup-ready //p' "$1" 2>/dev/null) 2>/dev/null; }

# Fresh settings of a configured install, today's weekday on job 3; $once
# and $last_run for the once-per-day gate.
write_ini() {
  x_fresh_settings
  printf '[Start]\nLetter=%s\nTitle=%s\nBackupJobLetter=%s\nStartDelay=%s\nDefault=0\nOnceOnly=%s\nBackupNumber=1\n' \
    "${start_letter:-S}" "${title:-Microsoft Backup}" "${job_letter:-B}" "${delay:-1}" "${once:-0}" >"$x_ini"
  [[ -n "${last_run:-}" ]] && printf 'DateLastRun=%s\n' "$last_run" >>"$x_ini"
  printf '\n[%s]\n%s=1\nBackup=3\n' "$weekday" "$weekday" >>"$x_ini"
}
ini_value() { sed -n "s/^$1=//p" "${2:-$x_ini}" | head -1; }

# Runs the tool, from a folder of its own with a batch file that runs the
# given command, until it recorded the date, told why it started no job or
# ended (at most 40 s), then stops it and what it started. $during, when
# set, runs in the background meanwhile (it may read $log). Sets log, out,
# box, and status when the tool ended by itself.
run_tool() {
  local folder="$x_tmp/tool-$RANDOM$RANDOM"
  mkdir -p "$folder" && cp "$stage/talvorstart" "$stage/talvorstart.hlp" "$folder/"
  printf '#!/bin/sh\n%s\n' "$1" >"$folder/TalvorStart.bat" && chmod +x "$folder/TalvorStart.bat"
  export DEMO_BACKUP_LOG="$x_tmp/target-$RANDOM$RANDOM.log"
  log=$DEMO_BACKUP_LOG out="$x_tmp/tool-$RANDOM.out" box="" status=""
  (cd /tmp && exec "$folder/talvorstart") >"$out" 2>&1 &
  local tool=$! i helper=""
  # The user clicks into another window once the tool's is up, during the count-down.
  [[ -n "${focus_during:-}" ]] && (wait_for 10 eval 'xdotool search --onlyvisible --pid $tool >/dev/null' && sleep 0.2
    xdotool windowactivate "$focus_during" 2>/dev/null || xdotool windowfocus "$focus_during") &
  [[ -n "${during:-}" ]] && { (eval "$during") & helper=$!; }
  for i in $(seq 800); do
    [[ -n "$(ini_value DateLastRun)" ]] && break
    grep -q '^talvorstart:' "$out" && { box=$(sed -n 's/^talvorstart: //p' "$out"); break; }
    kill -0 $tool 2>/dev/null && sleep 0.05 || break
  done
  sleep 0.3  # keys still on their way would show in the logs
  kill -0 $tool 2>/dev/null || { wait $tool; status=$?; }
  kill $tool 2>/dev/null
  wait $tool $helper 2>/dev/null
  x_stop_demo "$log" || true
}
# What a run that started job 3 left (the keys given, else those of job 3),
# and what one that started nothing left (the message; the exit statuses are
# the core tests' and e2e_store's).
expect_job_3() {
  [[ "$(keys)" == "${1:-$(x_job_keys)}" ]] || fail "keys: $(keys) ${box:+(box: $box)}"
  grep -q '^started 3$' "$log" 2>/dev/null || fail "job 3 not started: $(grep started "$log")"
  [[ "$(ini_value DateLastRun)" == "$today" ]] || fail "DateLastRun not written"
}
expect_nothing_started() {
  grep -q '^started' "$log" 2>/dev/null && fail "a job was started: $(grep started "$log")"
  [[ -z "$(ini_value DateLastRun)" ]] || fail "DateLastRun written"
  [[ "$box" == *"$1"* ]] || fail "message: $box"
}
keys() { grep '^key ' "${1:-$log}" 2>/dev/null | sed 's/^key //' | paste -sd' ' -; }
