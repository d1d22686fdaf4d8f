#!/usr/bin/env bash
# Debian's XScreenSaver runs tessel-x11: a test user (XScreenSaver refuses to
# run as root) whose .xscreensaver lists it by the README's line; -activate
# shows the automaton, -deactivate ends the program; the settings program
# plays its preview (started with -root and the preview's window id).
#   x11_xscreensaver.sh TESSEL_X11
source "$(dirname "$0")/x11-lib.sh"
saver=$1
user=tessel-xss
x11_setup x11_xscreensaver
command -v xscreensaver >/dev/null || x11_fail "xscreensaver is not installed"
id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user" ||
  x11_fail "cannot make the test user $user"

# The user's own home, with a copy of the program it can run.
home=$X11_WORK/xss-home
mkdir -p "$home/bin"
cp "$saver" "$home/bin/tessel-x11"
cat >"$home/.xscreensaver" <<CONF
mode:		one
selected:	0
lock:		False
splash:		False
fade:		False
unfade:		False
timeout:	0:30:00
cycle:		0:00:00
programs:	\
	"Tessel"  tessel-x11 -root \n\
		maze --root \n\

CONF
x11_play_scene "$home/.config/tessel/Tessel.dat" "$X11_LIVELY_SCENE"
chown -R "$user:" "$home"
chmod 755 "$X11_WORK" "$home"
as_user() { runuser -u "$user" -- env -i HOME="$home" DISPLAY="$DISPLAY" PATH="$home/bin:/usr/bin:/bin" "$@"; }
hack_pid() { pgrep -u "$user" -x tessel-x11 | head -n 1; }

as_user xscreensaver -no-splash >"$X11_WORK/xscreensaver.out" 2>&1 &
runner=$!
X11_PIDS+=("$runner")
for _ in $(seq 50); do
  timeout -k 1 5 runuser -u "$user" -- env -i HOME="$home" DISPLAY="$DISPLAY" xscreensaver-command -time >/dev/null 2>&1 && break
  sleep 0.2
done
daemon=$(pgrep -u "$user" -x xscreensaver | head -n 1)
[ -n "$daemon" ] || x11_fail "xscreensaver did not start: $(cat "$X11_WORK/xscreensaver.out")"
# The daemon, its display helper and what they started, each by its id.
stop_daemon() {
  local pid helpers
  helpers=$(pgrep -u "$user" -P "$daemon")
  kill -TERM "$daemon" 2>/dev/null
  x11_wait_exit "$runner" 5
  for pid in $helpers; do kill -TERM "$pid" 2>/dev/null; done
  for pid in $helpers; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  done
  x11_cleanup
}
trap stop_daemon EXIT

as_user xscreensaver-command -activate >>"$X11_WORK/xscreensaver.out" 2>&1 || x11_fail "-activate failed"
hack=
for _ in $(seq 50); do hack=$(hack_pid); [ -n "$hack" ] && break; sleep 0.1; done
[ -n "$hack" ] || x11_fail "XScreenSaver started no tessel-x11: $(cat "$X11_WORK/xscreensaver.out")"
x11_wait_lit root 100 || x11_fail "the screen does not show the automaton: $X11_SEEN"
x11_wait_changed root 50 || x11_fail "the saver's screen does not change"
python3 "$X11_HERE/xwd_stats.py" --png "$X11_WORK/screen.png" < <(xwd -silent -root) >/dev/null
echo "activate: tessel-x11 (pid $hack) shows the automaton"

as_user xscreensaver-command -deactivate >>"$X11_WORK/xscreensaver.out" 2>&1 || x11_fail "-deactivate failed"
for _ in $(seq 50); do kill -0 "$hack" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$hack" 2>/dev/null || x11_fail "tessel-x11 (pid $hack) still runs after -deactivate"
[ "$(x11_segments_of "$hack")" = 0 ] || x11_fail "shared memory left behind by the hack"
echo "deactivate: tessel-x11 ended"

# The settings program: its preview of the selected program. Started
# through setpriv, so that its process id is its own; its previews are its
# children.
gui=
stop_settings() {
  [ -n "$gui" ] || return 0
  local children
  children=$(pgrep -P "$gui")
  kill -TERM "$gui" 2>/dev/null
  x11_wait_exit "$gui" 5
  for pid in $children; do kill -TERM "$pid" 2>/dev/null; done
  gui=
}
trap 'stop_settings; stop_daemon' EXIT
setpriv --reuid "$user" --regid "$user" --init-groups env -i HOME="$home" DISPLAY="$DISPLAY" \
  PATH="$home/bin:/usr/bin:/bin" xscreensaver-settings >"$X11_WORK/settings.out" 2>&1 &
gui=$!
preview=
for _ in $(seq 100); do preview=$(pgrep -P "$gui" -x tessel-x11); [ -n "$preview" ] && break; sleep 0.1; done
[ -n "$preview" ] || x11_fail "the settings program started no preview: $(cat "$X11_WORK/settings.out")"
line=$(tr '\0' ' ' <"/proc/$preview/cmdline")
window=$(sed -n 's/.*-window-id \(0x[0-9a-fA-F]*\).*/\1/p' <<<"$line")
[ -n "$window" ] || x11_fail "the preview was started without a window id: $line"
x11_wait_lit "$window" 10 || x11_fail "the preview does not play ($line): $X11_SEEN"
kill -0 "$preview" 2>/dev/null || x11_fail "the preview ended: $line"
stop_settings
echo "settings preview: '$line' plays in $window"
echo "PASS"
