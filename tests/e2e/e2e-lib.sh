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

# Scenes a test plays, chosen through Tessel.dat and never left to the random
# play list. Scene 1 is the flattest built-in scene (one colour for its first
# seconds): what must hold for any scene is checked with it. Scene 3 is a
# dense field that changes in every frame whatever its random variations.
# shellcheck disable=SC2034  # read by the tests that source this
E2E_FLAT_SCENE=1
# shellcheck disable=SC2034
E2E_LIVELY_SCENE=3

# Writes Tessel.dat into folder $2 (default the test's own), playing built-in
# scene $1 alone.
e2e_play_scene() {
  local dir=${2:-$E2E_WORK}
  (cd "$dir" && timeout -k 2 60 "$WINE" "${TESSEL_DATA_MAKER:?}" "Z:${dir//\//\\}\\Tessel.dat" "$1") \
    >>"$E2E_WORK/wine.out" 2>&1 || e2e_fail "could not write a Tessel.dat playing scene $1 in $dir"
}

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

# Waiting for the picture counts screen captures, one every half second at
# most, so a busy machine gives the saver the same number of chances: up to
# $1 captures (with the crops $2...), until every area is lit (more than
# 0.1 % not black: a young field of a sparse scene lights little more), or
# until every area differs from the first capture as well. E2E_SEEN holds the
# last capture's lines.
e2e_wait_painted() { e2e_wait_picture lit "$@"; }
e2e_wait_changed() { e2e_wait_picture changed "$@"; }
e2e_wait_picture() {
  local want=$1 captures=$2 first i
  shift 2
  first=$(e2e_screen "$@")
  E2E_SEEN=$first
  for ((i = 0; i < captures; i++)); do
    python3 - "$want" "$first" "$E2E_SEEN" <<'PY' && return 0
import sys
want, first, last = sys.argv[1], sys.argv[2].splitlines(), sys.argv[3].splitlines()
field = lambda line, key: line.split(key + "=")[1].split()[0]
lit = all(float(field(line, "nonblack")) > 0.001 for line in last)
changed = len(first) == len(last) and all(field(a, "digest") != field(b, "digest") for a, b in zip(first, last))
sys.exit(0 if last and lit and (want == "lit" or changed) else 1)
PY
    sleep 0.5
    E2E_SEEN=$(e2e_screen "$@")
  done
  return 1
}

# The saver's log of this run as UTF-8 text.
e2e_log_text() {
  iconv -f UTF-16LE -t UTF-8 "$E2E_TEMP/Tessel_%%%%%%_0.log" 2>/dev/null | sed '1s/^\xEF\xBB\xBF//' | tr -d '\r'
}
