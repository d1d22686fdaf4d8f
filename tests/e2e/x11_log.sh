#!/usr/bin/env bash
# The log is the user's own: in $XDG_STATE_HOME/tessel/ (default
# ~/.local/state/tessel/, made 0700), two generations as on Windows. What
# another user puts in the shared temporary folder (a FIFO, a symlink to the
# user's files) neither hangs the program nor receives a line; a link in the
# log's own folder is never followed; with no folder of the user's there is
# no log and one line on stderr. tessel-render shares the log.
#   x11_log.sh TESSEL_X11 TESSEL_RENDER
source "$(dirname "$0")/x11-lib.sh"
saver=$1
render=$2
x11_setup x11_log
x11_test_user
base='Tessel_%%%%%%_'

# A sticky shared temporary folder holding another user's traps, and the
# victim's home.
shared=$X11_WORK/shared
home=$X11_WORK/victim
mkdir -p "$shared" "$home/bin"
chmod 1777 "$shared"
chmod 755 "$X11_WORK"
mkfifo -m 666 "$shared/${base}0.log"
echo "export PATH" >"$home/.profile"
ln -s "$home/.profile" "$shared/${base}1.log"
cp "$saver" "$home/bin/tessel-x11"
chown -R "$X11_USER:" "$home"
cp "$home/.profile" "$X11_WORK/profile.before"
x11_as_user "$home"

# Runs the saver as the victim until it has drawn, then SIGTERM; the
# arguments are NAME=VALUE settings of the environment.
run_as_victim() {
  x11_clear_root
  "${X11_AS_USER[@]}" TMPDIR="$shared" "$@" "$home/bin/tessel-x11" -root -seed 41 -fps 5 >>"$X11_WORK/victim.out" 2>&1 &
  local run=$!
  X11_PIDS+=("$run")
  x11_wait_lit root 10 || x11_fail "the victim's run drew nothing: $(tail -3 "$X11_WORK/victim.out")"
  kill -TERM "$run"
  x11_wait_exit "$run" 2
  [ "$X11_EXIT" = 0 ] || x11_fail "the victim's run ended with '$X11_EXIT'"
}
log_text() { iconv -f UTF-16LE -t UTF-8 "$1" | tr -d '\r'; }

run_as_victim
folder=$home/.local/state/tessel
[ "$(stat -c '%a %U' "$folder")" = "700 $X11_USER" ] || x11_fail "log folder: $(stat -c '%a %U' "$folder")"
[ -f "$folder/${base}0.log" ] && [ ! -L "$folder/${base}0.log" ] || x11_fail "no log in $folder: $(ls -la "$folder")"
[ "$(head -c 2 "$folder/${base}0.log" | od -An -tx1 | xargs)" = "ff fe" ] || x11_fail "the log lacks its byte order mark"
log_text "$folder/${base}0.log" | grep -q 'signal 15 : ending' || x11_fail "the log lacks the run's end"
cmp -s "$home/.profile" "$X11_WORK/profile.before" || x11_fail "the log was written into the victim's .profile"
[ -p "$shared/${base}0.log" ] || x11_fail "the other user's FIFO was touched"
echo "shared folder traps: ignored; log in $folder (0700)"

# The run before is generation 1; a link in the log's folder goes with the
# rotation, never written through.
ln -s "$home/.profile" "$folder/${base}0.log.tmp" && mv -T "$folder/${base}0.log.tmp" "$folder/${base}1.log"
first=$(md5sum <"$folder/${base}0.log")
run_as_victim
[ "$(md5sum <"$folder/${base}1.log")" = "$first" ] || x11_fail "the first run's log is not generation 1"
[ "$(cd "$folder" && ls)" = "$(printf '%s\n' "${base}0.log" "${base}1.log")" ] || x11_fail "files: $(ls "$folder")"
cmp -s "$home/.profile" "$X11_WORK/profile.before" || x11_fail "a link in the log folder was followed"
echo "rotation: two generations, links never followed"

# A folder that is not the user's: no log, one line on stderr, the saver runs.
mkdir -p "$X11_WORK/rootstate/tessel"
: >"$X11_WORK/victim.out"
run_as_victim XDG_STATE_HOME="$X11_WORK/rootstate"
[ "$(grep -c 'no log' "$X11_WORK/victim.out")" = 1 ] || x11_fail "no single 'no log' line: $(cat "$X11_WORK/victim.out")"
[ -z "$(ls "$X11_WORK/rootstate/tessel")" ] || x11_fail "a log in a folder not the user's"
echo "no folder of the user's: no log, one line on stderr: $(grep 'no log' "$X11_WORK/victim.out")"

env -u XDG_STATE_HOME HOME="$X11_WORK/render-home" "$render" --scene 1 --size 64x36 --seconds 1 --out "$X11_WORK/r.png" >/dev/null 2>&1 ||
  x11_fail "tessel-render failed"
[ -f "$X11_WORK/render-home/.local/state/tessel/${base}0.log" ] || x11_fail "tessel-render does not share the log"
echo "tessel-render: the same log folder"
echo "PASS"
