# What every end-to-end script shares: cases that count their failures,
# bounded waits, and skips that fail under CI. Source it.

failures=0
fail() { echo "FAIL: $case_name: $*" && failures=$((failures + 1)); }
begin() { case_name=$1 before=$failures; }
end() { ((failures == before)) && echo "PASS: $case_name ($SECONDS s since the start)"; }

# Waits until the command succeeds, up to the given seconds.
wait_for() {
  local i
  for i in $(seq $(($1 * 20))); do "${@:2}" && return 0 || sleep 0.05; done
  return 1
}

# What cannot be tested here: a failure under CI=true, else a loud line.
skip() { [[ "${CI:-}" == true ]] && echo "FAIL (CI): $*" && failures=$((failures + 1)) || echo "SKIPPED: $*"; }
# Programs (names on PATH or paths) the script needs; without one it fails
# in CI and is skipped (exit 77) elsewhere.
need() {
  local missing="" p
  for p in "$@"; do [[ -x "$p" ]] || command -v "$p" >/dev/null || missing+=" ${p##*/}"; done
  [[ -z "$missing" ]] && return 0
  skip "$(basename "$0") needs$missing (scripts/install-deps test installs them)"
  ((failures)) && exit 1 || exit 77
}
