#!/usr/bin/env bash
# Shared steps of the end-to-end tests: a folder of the test's own with a copy
# of Tessel.scr, Wine in the build's prefix on the fixture's X display, and
# the processes the test started, stopped by process id on every exit.
#   e2e_setup NAME SCR PROBE      (environment: TESSEL_WINE_PREFIX, TESSEL_XVFB_DIR, TESSEL_E2E_DIR)
# Windows programs start only through e2e_start or "$WINE", the Wine loader
# of SCR's bitness that e2e_setup picks: a 64-bit build never needs 32-bit Wine.
# Only -u: the tests check each step themselves (`|| e2e_fail`), poll with
# commands that fail until the saver is ready, and end pipelines with
# `grep -q`, whose early exit may kill the writer with SIGPIPE; -e and
# pipefail would turn those into failures that say nothing.
set -u
E2E_PIDS=()
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_HERE/../../scripts/wine-loader.sh"

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
}

e2e_setup() {
  local name=$1 arch
  E2E_WORK="${TESSEL_E2E_DIR:?}/$name"
  rm -rf "${E2E_WORK:?}"
  mkdir -p "$E2E_WORK"
  cp "$2" "$E2E_WORK/Tessel.scr"
  [ -n "${3:-}" ] && cp "$3" "$E2E_WORK/saver_probe.exe"
  arch=$(wine_arch_of "$2") || e2e_fail "$2 is no Windows program"
  wine_use "$arch"
  export WINEPREFIX="${TESSEL_WINE_PREFIX:?}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export DISPLAY
  DISPLAY=$(cat "$TESSEL_XVFB_DIR/display") || e2e_fail "no X display from the fixture"
  trap e2e_cleanup EXIT
  E2E_TEMP=$(e2e_temp_folder)
  # Without the folder the old logs would be looked for at the root.
  [ -n "$E2E_TEMP" ] && [ -d "$E2E_TEMP" ] || e2e_fail "Wine named no temporary folder ('$E2E_TEMP')"
  rm -f "${E2E_TEMP:?}"/Tessel_*.log
}

# A folder of the Wine user's, named by its environment variable (TEMP,
# APPDATA), as a Unix path; fails when Wine names none.
e2e_wine_folder() {
  local folder
  folder=$(timeout -k 2 60 "$WINE" cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')
  [ -n "$folder" ] && [ "$folder" != "%$1%" ] || return 1
  timeout -k 2 30 "$WINE" winepath -u "$folder" 2>/dev/null
}

# The Wine user's temporary folder, where the saver writes its log.
e2e_temp_folder() { e2e_wine_folder TEMP; }

# Starts a Windows program in the background; its process id lands in E2E_LAST_PID.
e2e_start() {
  (cd "$E2E_WORK" && exec "$WINE" "$@") >>"$E2E_WORK/wine.out" 2>&1 &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
}

# Waits up to $2 seconds for process $1 to end; E2E_EXIT is its exit code,
# or "timeout". (Not in a subshell: only this shell can wait for its child.)
e2e_wait_exit() {
  local pid=$1 limit=$2 i
  E2E_EXIT=timeout
  for ((i = 0; i < limit * 10; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      E2E_EXIT=0
      wait "$pid" || E2E_EXIT=$?
      return 0
    fi
    sleep 0.1
  done
}

# X and Wine helpers never outlive their step: one left hanging would hold the
# test's output open after the test itself was stopped.
e2e_xdotool() { timeout -k 2 10 xdotool "$@"; }

# Runs the probe beside the saver; its output without carriage returns, its
# exit code as the function's.
e2e_probe() {
  local out code
  code=0
  out=$(cd "$E2E_WORK" && timeout -k 2 30 "$WINE" saver_probe.exe "$@" 2>/dev/null) || code=$?
  tr -d '\r' <<<"$out"
  return $code
}

e2e_saver_count() {
  (cd "$E2E_WORK" && timeout -k 2 30 "$WINE" saver_probe.exe count 2>/dev/null) | tr -d '\r' | sed -n 's/^savers=//p'
}

# Waits up to $1 seconds until exactly one full-screen saver window exists.
e2e_wait_saver_window() {
  local deadline=$((SECONDS + $1))
  while ((SECONDS < deadline)); do
    [ "$(e2e_saver_count)" = "1" ] && return 0
    sleep 0.5
  done
  return 1
}

e2e_screen() {
  timeout -k 2 20 xwd -root -silent | python3 "$E2E_HERE/xwd_stats.py" "$@"
}

# The saver's log of this run as UTF-8 text.
e2e_log_text() {
  iconv -f UTF-16LE -t UTF-8 "$E2E_TEMP/Tessel_%%%%%%_0.log" 2>/dev/null | sed '1s/^\xEF\xBB\xBF//' | tr -d '\r'
}
