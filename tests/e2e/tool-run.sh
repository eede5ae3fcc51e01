# Shell helpers for running the real talvorstart against a target: its
# settings, a folder with its batch file, one run and what the target got.
# Source after xsession.sh; uses $stage, $today, $weekday.

write_ini() {
  x_fresh_settings
  {
    printf '[Start]\nLetter=%s\nTitle=%s\nBackupJobLetter=%s\nStartDelay=%s\n' \
      "${start_letter:-S}" "${title:-Microsoft Backup}" "${job_letter:-B}" "${delay:-2}"
    printf 'Default=0\nOnceOnly=0\nBackupNumber=1\n'
    printf '\n[%s]\n%s=1\nBackup=3\n' "$weekday" "$weekday"
  } >"$x_ini"
}
ini_value() { sed -n "s/^$1=//p" "$x_ini" | head -1; }

# A folder with the tool and a batch file that runs the given command.
tool_folder() {
  local folder="$x_tmp/tool-$RANDOM$RANDOM"
  mkdir -p "$folder"
  cp "$stage/talvorstart" "$stage/talvorstart.hlp" "$folder/"
  printf '#!/bin/sh\n%s\n' "$1" >"$folder/TalvorStart.bat"
  chmod +x "$folder/TalvorStart.bat"
  echo "$folder"
}

# Runs the tool with the batch file command until it recorded the date,
# showed a box or ended (at most 40 s), then stops it and what it started.
# $during, when set, runs in the background meanwhile (it may read $log).
# With $wait_end set, a run that told why it started no job is given time to
# end by itself. Sets log, out, box, and status when the tool ended by itself.
run_tool() {
  local folder
  folder=$(tool_folder "$1")
  export DEMO_BACKUP_LOG="$x_tmp/target-$RANDOM$RANDOM.log"
  log=$DEMO_BACKUP_LOG out="$x_tmp/tool-$RANDOM.out" box="" status=""
  (cd /tmp && exec "$folder/talvorstart") >"$out" 2>&1 &
  local tool=$! i helper=""
  # The user clicks into another window during the count-down.
  [[ -n "${focus_during:-}" ]] && (sleep 0.6; xdotool windowactivate "$focus_during" 2>/dev/null ||
    xdotool windowfocus "$focus_during") &
  [[ -n "${during:-}" ]] && { (eval "$during") & helper=$!; }
  for i in $(seq 800); do
    [[ -n "$(ini_value DateLastRun)" ]] && break
    grep -q '^talvorstart:' "$out" && { box=$(sed -n 's/^talvorstart: //p' "$out"); break; }
    kill -0 $tool 2>/dev/null || break
    sleep 0.05
  done
  sleep 0.3  # keys still on their way would show in the logs
  if [[ -n "${wait_end:-}" && -n "$box" ]]; then
    for i in $(seq 200); do kill -0 $tool 2>/dev/null || break; sleep 0.05; done
  fi
  kill -0 $tool 2>/dev/null || { wait $tool; status=$?; }
  kill $tool 2>/dev/null
  wait $tool 2>/dev/null
  [[ -n "$helper" ]] && wait $helper 2>/dev/null
  local pid
  for pid in $(sed -n 's/^ready //p; s/^popup-ready //p' "$log" 2>/dev/null); do kill "$pid" 2>/dev/null; done
  return 0
}
keys() { grep '^key ' "$log" 2>/dev/null | sed 's/^key //' | paste -sd' ' -; }
