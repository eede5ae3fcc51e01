# Shell helpers for the Wine end-to-end tests: a private X server with a window manager and case counting (from
# xsession.sh), a Wine prefix on Wine's X11 driver, and the tool's settings in its registry.
# Source it after setting build; everything started here stops at exit.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/xsession.sh"
# Stopped part way, the prefix's persistent server and programs would stay.
trap '[[ -n "${WINEPREFIX:-}" ]] && w_stop; x_cleanup' EXIT

wine=$(command -v wine64 || command -v wine || ls /usr/lib/wine/wine64 2>/dev/null || true)
wineserver=$(command -v wineserver || ls /usr/lib/wine/wineserver 2>/dev/null || true)

# One prefix per build folder and user of it, made once (about 20 s) and kept; the X11 driver, so that windows,
# focus and keys go through a real X server. The tests, the bench and the screenshots each lay out the registry
# their own way: w_start NAME gives them prefixes of their own; w_start NAME fresh a copy of one never used.
w_start() {
  local name=${1:-x11}
  [[ ${2:-} == fresh ]] && name=pristine
  export WINEPREFIX="$build/wineprefix-$name" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ ! -f "$WINEPREFIX/.ready" ]]; then
    rm -rf "$WINEPREFIX"
    "$wine" wineboot --init >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
    "$wineserver" -w
    touch "$WINEPREFIX/.ready"
  fi
  if [[ ${2:-} == fresh ]]; then
    rm -rf "$build/wineprefix-$1" && cp -a "$WINEPREFIX" "$build/wineprefix-$1" || return 1
    export WINEPREFIX="$build/wineprefix-$1"
  fi
  "$wineserver" -p
  "$wine" wineboot >/dev/null 2>&1
}

# Ends every Wine process of the prefix: the demo and whatever it left.
w_stop() { "$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null || true; }

w_path() { local p=${1//\//\\}; echo "Z:$p"; }

# A case that started programs ends them all.
end_case() { w_stop; end; }

# Today as the tool writes it in the short date form set below: neither Wine's default (M/d/yyyy) nor a usual one.
today=$(date +%Y/%-m/%-d) weekday=$(LC_ALL=C date +%A)
reg_value() { "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
reg_get() { reg_value "HKCU\Software\VB and VBA Program Settings\TalvorStart\\$1" "$2"; }
# The values an existing install left, as REG_SZ, "Default" = "0" among them, job ${job:-3} today, and the user's
# short date form as Control Panel's Region sets it; one regedit, as each Wine process costs a second.
# Extra NAME=VALUE of [Start] follow; "empty" for no settings at all.
w_settings() {
  local hk='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\TalvorStart' kv
  {
    printf 'REGEDIT4\n\n[-%s]\n\n[HKEY_CURRENT_USER\\Control Panel\\International]\n"sShortDate"="yyyy/M/d"\n' "$hk"
    if [[ ${1:-} != empty ]]; then
      printf '\n[%s\\Start]\n' "$hk"
      for kv in Letter=S "Title=Microsoft Backup" BackupJobLetter=B StartDelay=1 Default=0 OnceOnly=1 BackupNumber=1 "$@"; do
        printf '"%s"="%s"\n' "${kv%%=*}" "${kv#*=}"
      done
      printf '\n[%s\\%s]\n"%s"="1"\n"Backup"="%s"\n' "$hk" "$weekday" "$weekday" "${job:-3}"
    fi
  } >"$x_tmp/settings.reg"
  # On a busy machine regedit was seen to fail (status 1) right after the prefix's server was stopped: tried again.
  local try out
  for try in 1 2 3; do out=$("$wine" regedit /S "$(w_path "$x_tmp/settings.reg")" 2>&1) && return 0 || sleep 1; done
  fail "regedit did not take the settings: $out"
}
