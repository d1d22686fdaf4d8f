#!/usr/bin/env bash
# Shared steps of tessel-wayland's end-to-end tests on the private headless
# sway (scripts/sway-fixture.sh): a folder of the test's own, owned by the
# fixture's unprivileged user, whose HOME it is; programs run as that user
# against the fixture's compositor; processes stopped by id on every exit.
#   wl_setup NAME      (environment: TESSEL_SWAY_DIR, TESSEL_E2E_DIR, TESSEL_DATA_MAKER)
# Sourcing x11-lib.sh gives x11_fail, x11_wait_exit (X11_EXIT) and
# x11_play_scene, which work on X11_WORK.
# shellcheck disable=SC2034  # read by the tests that source this
source "$(dirname "${BASH_SOURCE[0]}")/x11-lib.sh"

wl_setup() {
  X11_WORK="${TESSEL_E2E_DIR:?}/$1"
  rm -rf "$X11_WORK"
  mkdir -p "$X11_WORK/home"
  [ -f "${TESSEL_SWAY_DIR:?}/env" ] || x11_fail "no compositor from the fixture"
  # shellcheck disable=SC1091
  source "$TESSEL_SWAY_DIR/env"
  WL_AS_USER=(setpriv --reuid "$SWAY_FIXTURE_UID" --regid "$SWAY_FIXTURE_GID" --init-groups
    env -i HOME="$X11_WORK/home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR"
    WAYLAND_DISPLAY="$WAYLAND_DISPLAY" SWAYSOCK="$SWAYSOCK")
  trap x11_cleanup EXIT
}

# Hands the test's folder to the test user (after files were prepared in it).
wl_own_work() { chown -R "$SWAY_FIXTURE_UID:$SWAY_FIXTURE_GID" "$X11_WORK"; }

# Plays built-in scene $1 alone from the user's settings file.
wl_play_scene() {
  x11_play_scene "$X11_WORK/home/.config/tessel/Tessel.dat" "$1"
  wl_own_work
}

# Starts a program as the test user; its process id lands in X11_LAST_PID.
wl_start() {
  "${WL_AS_USER[@]}" "$@" >>"$X11_WORK/run.out" 2>&1 &
  X11_LAST_PID=$!
  X11_PIDS+=("$X11_LAST_PID")
}

wl_msg() { "${WL_AS_USER[@]}" swaymsg "$@"; }

# Size, number of colours and digest of output $1's picture: "W H COLOURS DIGEST".
wl_shot() {
  "${WL_AS_USER[@]}" timeout -k 2 10 grim -o "$1" "$X11_WORK/shot.png" &&
    convert "$X11_WORK/shot.png" -format '%w %h %k %#' info:
}

# Captures, one every tenth of a second at most, until output $1 shows more
# than one colour (up to $2 captures), then until its picture changes (up
# to $2 more). WL_SEEN holds the last capture's statistics.
wl_wait_lit() {
  local i
  for ((i = 0; i < $2; i++)); do
    WL_SEEN=$(wl_shot "$1")
    [ "$(cut -d' ' -f3 <<<"$WL_SEEN")" -gt 1 ] 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
wl_wait_changed() {
  local i before
  before=$(cut -d' ' -f4 <<<"$WL_SEEN")
  for ((i = 0; i < $2; i++)); do
    sleep 0.1
    WL_SEEN=$(wl_shot "$1")
    [ "$(cut -d' ' -f4 <<<"$WL_SEEN")" != "$before" ] && return 0
  done
  return 1
}

# The program's log (UTF-16LE), as text.
wl_log() { cat "$X11_WORK"/home/.local/state/tessel/*.log 2>/dev/null | iconv -f UTF-16LE -t UTF-8; }

# Starts a second sway as a client of the fixture's (wayland backend), whose
# two outputs WL-1 and WL-2 are windows there: closing such a window takes
# the output away, which the headless backend cannot do. The test's programs
# and tools then talk to it; wl_outer_msg reaches the fixture's compositor.
wl_nested() {
  local dir="$X11_WORK/nested" socket="" ipc="" i
  mkdir -p "$dir/runtime"
  chmod 700 "$dir/runtime"
  echo "xwayland disable" >"$dir/config"
  chown -R "$SWAY_FIXTURE_UID:$SWAY_FIXTURE_GID" "$dir"
  "${WL_AS_USER[@]}" XDG_RUNTIME_DIR="$dir/runtime" WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" \
    WLR_BACKENDS=wayland WLR_RENDERER=pixman WLR_WL_OUTPUTS=2 sway -c "$dir/config" >"$dir/sway.log" 2>&1 &
  X11_PIDS+=("$!")
  for ((i = 0; i < 100; i++)); do
    socket=$(find "$dir/runtime" -maxdepth 1 -name 'wayland-*' -type s -printf '%f\n' | head -1)
    ipc=$(find "$dir/runtime" -maxdepth 1 -name 'sway-ipc.*.sock' -type s | head -1)
    [ -n "$socket" ] && [ -n "$ipc" ] && break
    sleep 0.1
  done
  [ -n "$socket" ] && [ -n "$ipc" ] || x11_fail "the nested sway did not start: $(tail -3 "$dir/sway.log")"
  WL_OUTER=("${WL_AS_USER[@]}")
  WL_AS_USER+=(XDG_RUNTIME_DIR="$dir/runtime" WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc")
}
wl_outer_msg() { "${WL_OUTER[@]}" swaymsg "$@"; }

# Waits (a tenth of a second at a time, up to $2 times) for the log to hold
# a line matching $1.
wl_wait_log() {
  local i
  for ((i = 0; i < $2; i++)); do
    wl_log | grep -q -- "$1" && return 0
    sleep 0.1
  done
  return 1
}
