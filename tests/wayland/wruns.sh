# Helpers for runs of the tool on a Wayland compositor (after wsession.sh):
# an install folder whose batch file starts a target, settings, a run and its
# checks. Source it; needs $stage.

today=$(LC_ALL=C date +"%-d %b %Y")
weekday=$(LC_ALL=C date +%A)
job_keys="Alt+B$(printf ' Up%.0s' $(seq 20)) Down Down Return Alt+S"

# A folder with the tool and a batch file that starts the given command.
make_install() {
  w_own_dir "$1" && cp "$stage/talvorstart" "$stage/talvorstart.hlp" "$1/"
  { echo '#!/bin/sh'; [[ $# -gt 1 ]] && echo "${*:2} &"; } >"$1/TalvorStart.bat" && chmod 755 "$1/TalvorStart.bat"
}

# Settings as a configured install leaves them: today's weekday picks job 3.
write_ini() {
  cfg="$w_tmp/config-$RANDOM$RANDOM"
  w_own_dir "$cfg" && w_own_dir "$cfg/TalvorStart"
  ini="$cfg/TalvorStart/TalvorStart.ini"
  printf '[Start]\nLetter=S\nTitle=%s\nBackupJobLetter=B\nStartDelay=%s\nDefault=0\nOnceOnly=0\nBackupNumber=1\n' \
    "${title:-Microsoft Backup}" "${delay:-1}" >"$ini"
  printf '\n[%s]\n%s=1\nBackup=3\n' "$weekday" "$weekday" >>"$ini"
  [[ -n "$w_user" ]] && chown "$w_user:" "$ini"
  ini_before=$(grep -v DateLastRun "$ini" | sort)
}

# The tool said each of the texts.
says() { local p; for p; do grep -qF -- "$p" "$w_tmp/tool.out" || fail "not told \"$p\": $(cat "$w_tmp/tool.out")"; done; }
keys() { [[ -f "$log" ]] && grep '^key ' "$log" | sed 's/^key //' | paste -sd' ' -; }
date_written() { grep -q "^DateLastRun=$today\$" "$ini"; }
run_over() { date_written && grep -q '^started' "$log" 2>/dev/null; }
stop_demos() {
  local pid
  for pid in $(sed -n 's/^ready //p' "$w_tmp"/logs/*.log 2>/dev/null); do kill "$pid" 2>/dev/null; done
}

# Starts the tool from the folder with extra NAME=value settings, its
# backup program logging to $log; sets tool.
spawn_tool() {
  write_ini
  w_spawn XDG_CONFIG_HOME="$cfg" XDG_STATE_HOME="$cfg" DEMO_BACKUP_LOG="$log" "${@:2}" "$1/talvorstart" >"$w_tmp/tool.out" 2>&1
  tool=$!
}
# Stops the tool once it has ended or the command holds, waiting at most
# the seconds; tool_status is its exit status (143: stopped here).
stop_tool() {
  stop_when=("${@:2}") && wait_for "$1" tool_done
  kill "$tool" 2>/dev/null
  wait "$tool" 2>/dev/null; tool_status=$?
}
tool_done() { ! kill -0 "$tool" 2>/dev/null || "${stop_when[@]}"; }
# The tool must end by itself within the seconds: a start nobody watches
# never waits for a click.
end_tool() {
  wait_for "$1" eval '! kill -0 $tool 2>/dev/null' || fail "the tool did not end by itself"
  stop_tool 0 false
}

# A run, stopped once the job is started and the date written (it would
# pause 5 s more).
run_tool() {
  log="$w_tmp/logs/demo-$RANDOM$RANDOM.log"
  spawn_tool "$@"
  stop_tool "${limit:-30}" run_over
  stop_demos
}

# One run must start job 3 with exactly the job keys, and the tool's own
# window must get none (they would change its settings).
check_job3() {
  local k=$(keys)
  [[ "$k" == "$job_keys" ]] ||
    { echo "  keys: ${k:-none}; status $tool_status; the tool said: $(tail -3 "$w_tmp/tool.out")" && return 1; }
  grep -q "^started 3$" "$log" || { echo "  job 3 not started: $(grep "^started" "$log")"; return 1; }
  date_written || { echo "  DateLastRun not written"; return 1; }
  [[ "$(grep -v DateLastRun "$ini" | sort)" == "$ini_before" ]] || { echo "  the tool's settings changed"; return 1; }
}

# A batch file that starts the backup program and then, once it is up,
# another window, which the compositor puts in front.
make_two_window_install() {
  make_install "$1"
  cat >>"$1/TalvorStart.bat" <<SCRIPT
$2 &
for i in \$(seq 100); do grep -qs '^ready' "\$DEMO_BACKUP_LOG" && break; sleep 0.05; done
QT_QPA_PLATFORM=wayland $stage/demo-backup --title Notes --log "$3" &
SCRIPT
}

# Runs the case n times: job 3 each time. With a log for the other window
# (repeat_with_other N DIR LOG), that window must come up and get no key,
# and the tool runs natively; else (repeat_case N DIR SETTING...) a function
# before_run, when the caller defines one, sets the desktop up before each run.
repeat_with_other() { other=$3 repeat_runs "$1" "$2" QT_QPA_PLATFORM=wayland; }
repeat_case() { other="" repeat_runs "$@"; }
repeat_runs() {
  local n=$1 good=0 i
  for i in $(seq "$n"); do
    [[ -n "$other" ]] && rm -f "$other"
    [[ -z "$other" ]] && declare -F before_run >/dev/null && before_run
    run_tool "${@:2}"
    if [[ -n "$other" ]] && ! grep -qs '^ready' "$other"; then
      echo "  the other window did not start"
    elif [[ -n "$other" ]] && grep -q '^key' "$other"; then
      echo "  the other window got keys: $(grep '^key' "$other" | head -3 | paste -sd' ' -)"
    elif check_job3; then
      good=$((good + 1))
    fi
  done
  echo "$case_name: job 3 started in $good of $n runs ($SECONDS s since the start)"
  ((good == n)) || fail "$((n - good)) runs failed"
}

# Folders for the logs, in the subfolder given (a case run beside the others).
in_folder() { w_tmp="$w_tmp${1:+/$1}" && w_own_dir "$w_tmp" && w_own_dir "$w_tmp/logs" 777 && w_own_dir "$w_tmp/others" 777; }
# Another program's window (the same title, open before the run): it must get no key.
start_other() {
  other_log="$w_tmp/others/other-$RANDOM$RANDOM.log"
  w_spawn QT_QPA_PLATFORM=wayland DEMO_BACKUP_LOG="$other_log" "$stage/demo-backup" >/dev/null 2>&1
  wait_for 10 grep -qs '^ready' "$other_log" || fail "the other window did not start"
  other_pid=$(sed -n 's/^ready //p' "$other_log")
}
no_keys_to_other() {
  grep -q '^key ' "$other_log" && fail "the other window got keys: $(grep '^key ' "$other_log" | head -3 | paste -sd' ' -)"
}
