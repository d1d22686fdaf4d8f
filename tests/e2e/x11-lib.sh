#!/usr/bin/env bash
# Shared steps of tessel-x11's end-to-end tests: the fixture's display, a
# folder of the test's own as HOME, and the processes the test started,
# stopped by process id on every exit.
#   x11_setup NAME     (environment: TESSEL_XVFB_DIR, TESSEL_E2E_DIR)
# shellcheck disable=SC2034  # X11_EXIT is read by the tests that source this
set -u
X11_PIDS=()
X11_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

x11_fail() { echo "FAIL: $*" >&2; exit 1; }

x11_cleanup() {
  local pid
  for pid in "${X11_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${X11_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
}

x11_setup() {
  X11_WORK="${TESSEL_E2E_DIR:?}/$1"
  rm -rf "$X11_WORK"
  mkdir -p "$X11_WORK/home"
  export HOME="$X11_WORK/home" TMPDIR="$X11_WORK"
  unset XDG_CONFIG_HOME XDG_STATE_HOME XSCREENSAVER_WINDOW
  export DISPLAY
  DISPLAY=$(cat "${TESSEL_XVFB_DIR:?}/display") || x11_fail "no X display from the fixture"
  trap x11_cleanup EXIT
}

# Starts a program in the background; its process id lands in X11_LAST_PID.
x11_start() {
  "$@" >>"$X11_WORK/run.out" 2>&1 &
  X11_LAST_PID=$!
  X11_PIDS+=("$X11_LAST_PID")
}

# Waits up to $2 seconds (tenths allowed) for child $1 to end; X11_EXIT (read
# by the tests) is its exit code, or "timeout".
x11_wait_exit() {
  local pid=$1 limit i
  limit=$(awk -v s="$2" 'BEGIN { printf "%d", s * 20 }')
  X11_EXIT=timeout
  for ((i = 0; i < limit; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      X11_EXIT=$?
      return 0
    fi
    sleep 0.05
  done
}

# Share of non-black pixels and a digest of drawable $1 (a window id, or
# "root"), optionally of the rectangle $2 (X,Y,W,H).
x11_stats() {
  local target=(-id "$1") crop=()
  [ "$1" = root ] && target=(-root)
  [ -n "${2:-}" ] && crop=(--crop "$2")
  timeout -k 2 10 xwd -silent "${target[@]}" | python3 "$X11_HERE/xwd_stats.py" "${crop[@]}"
}
x11_nonblack() { sed -n 's/.*nonblack=\([0-9.]*\).*/\1/p' <<<"$1"; }
x11_digest() { sed -n 's/.*digest=\([0-9a-f]*\).*/\1/p' <<<"$1"; }

# Waiting for the picture counts captures, one every tenth of a second at
# most, so a busy machine gives the program the same number of chances.
# x11_wait_lit: up to $2 captures of drawable $1 (rectangle $3 if given)
# until it is lit: more than 0.1% of it not black (a young field of a sparse
# scene lights little more). x11_wait_changed: then until its digest differs
# from the last one seen. X11_SEEN holds the last capture's statistics.
x11_wait_lit() {
  local i
  for ((i = 0; i < $2; i++)); do
    X11_SEEN=$(x11_stats "$1" "${3:-}")
    awk -v v="$(x11_nonblack "$X11_SEEN")" 'BEGIN { exit !(v > 0.001) }' && return 0
    sleep 0.1
  done
  return 1
}
x11_wait_changed() {
  local i before
  before=$(x11_digest "$X11_SEEN")
  for ((i = 0; i < $2; i++)); do
    sleep 0.1
    X11_SEEN=$(x11_stats "$1" "${3:-}")
    [ "$(x11_digest "$X11_SEEN")" != "$before" ] && return 0
  done
  return 1
}

# Scenes a test plays, chosen through the settings file, never left to the
# random play list. Scene 1 is the flattest built-in scene (one colour for
# its first seconds): what must hold for any scene is checked with it. Scene 3
# is a dense field that changes in every frame whatever its random variations.
X11_FLAT_SCENE=1
X11_LIVELY_SCENE=3

# Writes the settings file $1 (its folder private, as the program makes it),
# playing built-in scene $2 alone.
x11_play_scene() {
  mkdir -p "$(dirname "$1")" && chmod 700 "$(dirname "$1")" &&
    "${TESSEL_DATA_MAKER:?}" "$1" "$2" >>"$X11_WORK/run.out" 2>&1 ||
    x11_fail "could not write $1 playing scene $2"
}

# Paints the root window black, so that an earlier run's picture left on it
# is not taken for a new one.
x11_clear_root() { timeout -k 1 5 xsetroot -solid black; }

# Shared-memory segments created by process $1 that still exist.
x11_segments_of() { ipcs -m -p | awk -v pid="$1" '$3 == pid { n++ } END { print n + 0 }'; }

# A display of the test's own, of screen $1 (WxHxDEPTH): DISPLAY names it and
# X11_XVFB_PID is its server, stopped with the test's other processes.
x11_private_display() {
  exec 8> >(cat >"$X11_WORK/display")
  Xvfb -displayfd 8 -screen 0 "$1" -nolisten tcp -noreset >"$X11_WORK/xvfb.log" 2>&1 &
  X11_XVFB_PID=$!
  X11_PIDS+=("$X11_XVFB_PID")
  exec 8>&-
  for _ in $(seq 100); do [ -s "$X11_WORK/display" ] && break; sleep 0.1; done
  DISPLAY=":$(tr -dc 0-9 <"$X11_WORK/display")"
  [ "$DISPLAY" != ":" ] || x11_fail "no private display of $1"
}

# The unprivileged test user (XScreenSaver refuses root; root passes every
# permission), made when missing; X11_USER names it.
x11_test_user() {
  X11_USER=tessel-xss
  id "$X11_USER" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$X11_USER" ||
    x11_fail "cannot make the test user $X11_USER"
}

# The command prefix X11_AS_USER that runs a program as the test user with
# home $1 and nothing else of the environment but DISPLAY and PATH; setpriv
# execs it, so the process started is the program itself and signals reach it.
x11_as_user() {
  X11_AS_USER=(setpriv --reuid "$X11_USER" --regid "$X11_USER" --init-groups
    env -i HOME="$1" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin)
}
