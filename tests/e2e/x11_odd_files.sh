#!/usr/bin/env bash
# Saving respects what is at the settings path: a symlink stays a link (its
# file is replaced, with no pending file left beside either), the file's
# mode is kept; a device node, FIFO or socket is refused at once with a
# message and exit 1, and left as it was; a damaged file is kept "as
# damaged" only up to the largest sound settings file; an unreadable file
# is reported as such, not as a format error. The log names the file in use,
# never one beside the program.
#   x11_odd_files.sh TESSEL_X11
source "$(dirname "$0")/x11-lib.sh"
saver=$1
x11_setup x11_odd_files
sound=$((96 + 96 * 41))
largest=$((92 + 100 + 96 * 65536))

# Runs the saver on the root until it has drawn, then ends it; the exit
# status lands in X11_EXIT.
run_saver() {
  x11_clear_root
  x11_start "$@" -root -seed 51
  local run=$X11_LAST_PID
  x11_wait_lit root 10 || x11_fail "no picture ($*): $X11_SEEN $(tail -3 "$X11_WORK/run.out")"
  kill -TERM "$run"
  x11_wait_exit "$run" 2
}

# A link into a dotfiles folder.
mkdir -p "$X11_WORK/dotfiles" "$X11_WORK/cfg"
run_saver "$saver" -data "$X11_WORK/dotfiles/Tessel.dat"
ln -s ../dotfiles/Tessel.dat "$X11_WORK/cfg/Tessel.dat"
run_saver "$saver" -data "$X11_WORK/cfg/Tessel.dat"
[ "$X11_EXIT" = 0 ] || x11_fail "run through a link ended with '$X11_EXIT'"
[ -L "$X11_WORK/cfg/Tessel.dat" ] || x11_fail "the link became a file"
[ "$(stat -c %s "$X11_WORK/dotfiles/Tessel.dat")" = $sound ] || x11_fail "the link's file was not saved whole"
[ "$(ls "$X11_WORK/cfg" "$X11_WORK/dotfiles" | grep -c Tessel)" = 2 ] || x11_fail "left: $(ls "$X11_WORK"/*)"
echo "symlink: still a link, its file saved, nothing left beside"

for mode in 600 444 640; do
  chmod "$mode" "$X11_WORK/dotfiles/Tessel.dat"
  run_saver "$saver" -data "$X11_WORK/dotfiles/Tessel.dat"
  [ "$(stat -c %a "$X11_WORK/dotfiles/Tessel.dat")" = "$mode" ] || x11_fail "mode $mode became $(stat -c %a "$X11_WORK/dotfiles/Tessel.dat")"
done
echo "modes 600, 444, 640: kept"

# Device nodes of the test's own, a FIFO and a socket: refused, untouched.
mknod "$X11_WORK/null" c 1 3
mknod "$X11_WORK/loop" b 7 200
mkfifo "$X11_WORK/fifo"
python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$X11_WORK/socket"
for odd in null loop fifo socket; do
  kind=$(stat -c %F "$X11_WORK/$odd")
  timeout -k 1 5 "$saver" -root -data "$X11_WORK/$odd" >"$X11_WORK/odd.out" 2>&1
  rc=$?
  [ $rc = 1 ] || x11_fail "$kind as -data: exit $rc, not 1"
  grep -q "not a regular file" "$X11_WORK/odd.out" || x11_fail "$kind: no clear message: $(cat "$X11_WORK/odd.out")"
  [ "$(stat -c %F "$X11_WORK/$odd")" = "$kind" ] || x11_fail "$kind was replaced"
done
[ -z "$(ls "$X11_WORK" | grep damaged)" ] || x11_fail "an odd file was copied as damaged"
echo "device, FIFO, socket: refused with exit 1, left as they were: $(cat "$X11_WORK/odd.out")"

# A damaged file larger than any settings file: its copy stops at that size.
head -c $((largest + 1000000)) /dev/urandom >"$X11_WORK/big.dat"
run_saver "$saver" -data "$X11_WORK/big.dat"
[ "$X11_EXIT" = 0 ] || x11_fail "run on a large damaged file ended with '$X11_EXIT'"
[ "$(stat -c %s "$X11_WORK"/big.damaged-*.dat)" = $largest ] || x11_fail "damaged copy of $(stat -c %s "$X11_WORK"/big.damaged-*.dat) bytes"
[ "$(stat -c %s "$X11_WORK/big.dat")" = $sound ] || x11_fail "the large damaged file was not replaced"
echo "large damaged file: $largest bytes kept, then replaced"

# An unreadable file, as the unprivileged user: the log says so, and the
# settings not saved is a message and exit 1.
x11_test_user
home=$X11_WORK/user
mkdir -p "$home/.config/tessel"
cp "$X11_WORK/dotfiles/Tessel.dat" "$home/.config/tessel/Tessel.dat"
chmod 000 "$home/.config/tessel/Tessel.dat"
chown -R "$X11_USER:" "$home"
chmod 755 "$X11_WORK"
x11_as_user "$home"
run_saver "${X11_AS_USER[@]}" "$saver"
[ "$X11_EXIT" = 1 ] || x11_fail "an unreadable file: exit '$X11_EXIT', not 1"
grep -q "settings not saved" "$X11_WORK/run.out" || x11_fail "no message of the settings not saved"
log=$(iconv -f UTF-16LE -t UTF-8 "$home/.local/state/tessel/Tessel_%%%%%%_0.log" | tr -d '\r')
grep -q "data-file could not be opened : .*Permission denied" <<<"$log" || x11_fail "the log does not say it cannot be read"
! grep -q "format error" <<<"$log" || x11_fail "an unreadable file logged as a format error"
grep -q "per-user data file name : $home/.config/tessel/Tessel.dat\$" <<<"$log" && grep -q ' data file name : $' <<<"$log" ||
  x11_fail "the log names another settings file: $(grep 'data file name' <<<"$log")"
echo "unreadable file: logged as such; $(grep 'settings not saved' "$X11_WORK/run.out"); the log names it"
echo "PASS"
