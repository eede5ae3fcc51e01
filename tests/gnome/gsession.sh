# Helpers for a headless GNOME Shell with private session and system buses,
# started and stopped here, on top of wsession.sh. Source it.

g_shells=0
g_api=(example.talvorstart.Shell /example/talvorstart/Shell example.talvorstart.Shell1)

g_call() { w_run gdbus call --session --timeout 5 -d "$1" -o "$2" -m "$3" "${@:4}" 2>&1; }
g_has_name() { g_call org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "$1" | grep -q true; }

# Starts GNOME Shell on the Wayland display wayland-gN; with an extension
# folder, that extension is installed for the user and enabled before the
# shell starts. Sets WAYLAND_DISPLAY, w_env (the buses) and g_ready (the
# seconds until the shell answered).
g_start_shell() {
  local ext=${1:-} n=$((++g_shells)) home enabled="[]"
  home="$w_tmp/gnome$n" w_runtime="$w_tmp/run-gnome$n"
  w_own_dir "$w_runtime" 700
  w_own_dir "$home" && w_own_dir "$home/config/glib-2.0/settings" && w_own_dir "$home/data/gnome-shell/extensions"
  # The shell asks logind on the system bus when the machine has seats.
  cat >"$home/system.conf" <<EOC
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>system</type><listen>unix:path=$w_runtime/system_bus</listen>
<policy context="default"><allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/></policy></busconfig>
EOC
  chmod 644 "$home/system.conf"
  [[ -n "$ext" ]] && cp -r "$ext" "$home/data/gnome-shell/extensions/" && enabled="['$(basename "$ext")']"
  printf '[org/gnome/shell]\nenabled-extensions=%s\ndisable-user-extensions=false\n' "$enabled" \
    >"$home/config/glib-2.0/settings/keyfile"
  [[ -n "$w_user" ]] && chown -R "$w_user:" "$home/config" "$home/data"
  w_env=() && unset WAYLAND_DISPLAY
  w_spawn dbus-daemon --nofork --session --address="unix:path=$w_runtime/bus" >"$home/bus.log" 2>&1
  w_spawn dbus-daemon --nofork --config-file="$home/system.conf" >"$home/system-bus.log" 2>&1
  wait_for 5 test -S "$w_runtime/bus" -a -S "$w_runtime/system_bus" || { echo "no private buses" >&2; return 1; }
  w_env=(DBUS_SESSION_BUS_ADDRESS="unix:path=$w_runtime/bus" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$w_runtime/system_bus")
  local t0=$EPOCHREALTIME
  w_spawn XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" GSETTINGS_BACKEND=keyfile \
    gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x1024 --wayland-display "wayland-g$n" \
    >"$w_tmp/gnome-shell$n.log" 2>&1
  g_shell_pid=$!
  # The shell takes its bus name at once; its interface answers once its
  # user interface is up, the extension's once the extension is enabled.
  local ready=(g_overview_is "")
  [[ -n "$ext" ]] && ready=(g_has_name "${g_api[0]}")
  if ! wait_for 20 "${ready[@]}" || ! wait_for 5 test -S "$w_runtime/wayland-g$n"; then
    echo "GNOME Shell did not start (or its extension did not load):" >&2
    tail -15 "$w_tmp/gnome-shell$n.log" >&2
    return 1
  fi
  g_ready=$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')
  export WAYLAND_DISPLAY="wayland-g$n"
}

# The shell's windows, one line each: id pid focused title.
g_windows() {
  g_call "${g_api[0]}" "${g_api[1]}" "${g_api[2]}.Windows" | python3 -c '
import ast, re, sys
text = re.sub(r"\b(uint64|uint32) ", "", sys.stdin.read()).replace("true", "True").replace("false", "False")
for w in ast.literal_eval(text)[0]:
    print(w[0], w[3], int(w[4]), w[1])'
}

# Gives the focus to the window of the process, as a click would.
g_focus_pid() {
  local id
  id=$(g_windows | awk -v pid="$1" '$2 == pid { print $1; exit }')
  [[ -n "$id" ]] && g_call "${g_api[0]}" "${g_api[1]}" "${g_api[2]}.Activate" "$id" | grep -q true
}
# The overview: whether it is open ("true", "false", or "" for either:
# the shell answers), and opening it as the user's Super key would.
g_overview_is() {
  g_call org.gnome.Shell /org/gnome/Shell org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive |
    grep -q "<$1"
}
g_overview() {
  g_call org.gnome.Shell /org/gnome/Shell org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive "<$1>" \
    >/dev/null && wait_for 5 g_overview_is "$1"
}
