#!/usr/bin/env bash
# tessel-x11's settings file: made with the defaults on the first run (the
# Windows saver's bytes: id, version 1.2.0.0, 41 records); forced settings
# leave it untouched; a damaged file is kept as Tessel.damaged-*.dat and
# replaced by the repaired settings, never by less; bad options give the
# usage and exit code 2.
#   x11_settings.sh TESSEL_X11
source "$(dirname "$0")/x11-lib.sh"
saver=$1
x11_setup x11_settings
data=$HOME/.config/tessel/Tessel.dat
u32() { od -An -tu4 -j"$2" -N4 "$1" | xargs; }

# Runs the saver on the root until it has drawn, then ends it.
run_saver() {
  x11_clear_root
  x11_start "$saver" -root "$@"
  local run=$X11_LAST_PID
  x11_wait_lit root 100 || x11_fail "no picture ($*): $X11_SEEN"
  kill -TERM "$run"
  x11_wait_exit "$run" 2
  [ "$X11_EXIT" = 0 ] || x11_fail "run ($*) ended with '$X11_EXIT'"
}

for bad in "-bogus" "-fps 0" "-fps 121" "-scene" "-window-id 0" "-window-id 12x" "-seed -1" "-root -window"; do
  # shellcheck disable=SC2086
  "$saver" $bad >"$X11_WORK/usage.out" 2>&1
  rc=$?
  [ $rc = 2 ] || x11_fail "'$bad' exited with $rc, not 2"
  grep -q '^usage: tessel-x11' "$X11_WORK/usage.out" || x11_fail "'$bad' printed no usage"
done
[ ! -e "$data" ] || x11_fail "a refused command line made the settings file"
echo "bad options: usage and exit 2"

run_saver -seed 1
[ -f "$data" ] || x11_fail "no $data after the first run"
[ "$(stat -c %s "$data")" = $((96 + 96 * 41)) ] || x11_fail "first file has $(stat -c %s "$data") bytes"
[ "$(head -c 6 "$data")" = Tessel ] || x11_fail "first file lacks the id"
[ "$(od -An -tu2 -j16 -N8 "$data" | xargs)" = "1 2 0 0" ] || x11_fail "first file's version is not 1.2.0.0"
[ "$(stat -c %a "$(dirname "$data")")" = 700 ] || x11_fail "the settings folder is not private"
echo "first run: $data with the defaults"

# Forced settings are this run's only.
cp "$data" "$X11_WORK/before.dat"
run_saver -scene 5 -fps 60 -seed 2
cmp -s "$data" "$X11_WORK/before.dat" || x11_fail "-scene/-fps changed the settings file"
"$saver" -root -scene 99 >"$X11_WORK/scene.out" 2>&1
[ $? = 2 ] || x11_fail "-scene 99 (no such scene) was not refused with 2"
echo "forced settings: file untouched; unknown scene refused"

# A damaged file: the header with fps 15 and then nothing.
head -c 92 "$X11_WORK/before.dat" >"$data"
python3 - "$data" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
struct.pack_into('<I', data, 24, 15)
open(sys.argv[1], 'wb').write(data)
PY
cp "$data" "$X11_WORK/damaged.dat"
run_saver -seed 3
kept=$(ls "$(dirname "$data")"/Tessel.damaged-*.dat 2>/dev/null)
[ "$(wc -w <<<"$kept")" = 1 ] || x11_fail "the damaged file was not kept once: '$kept'"
cmp -s "$kept" "$X11_WORK/damaged.dat" || x11_fail "the kept copy differs from the damaged file"
[ "$(stat -c %s "$data")" = $((96 + 96 * 41)) ] || x11_fail "the damaged file was replaced with $(stat -c %s "$data") bytes"
[ "$(u32 "$data" 24)" = 15 ] || x11_fail "the file's fps was not kept ($(u32 "$data" 24))"
echo "damaged file: kept as $(basename "$kept"), replaced by the repaired settings (fps 15, 40 scenes)"

# Two copies, as XScreenSaver starts on two monitors, ending together: the
# file is whole afterwards and no pending file is left.
rm -f "$(dirname "$data")"/Tessel.damaged-*.dat
x11_clear_root
x11_start "$saver" -root -seed 6
one=$X11_LAST_PID
x11_start "$saver" -root -seed 7
two=$X11_LAST_PID
x11_wait_lit root 100 || x11_fail "no picture from two copies: $X11_SEEN"
kill -TERM "$one" "$two"
x11_wait_exit "$one" 2
[ "$X11_EXIT" = 0 ] || x11_fail "first copy ended with '$X11_EXIT'"
x11_wait_exit "$two" 2
[ "$X11_EXIT" = 0 ] || x11_fail "second copy ended with '$X11_EXIT'"
[ "$(stat -c %s "$data")" = $((96 + 96 * 41)) ] || x11_fail "two copies left $(stat -c %s "$data") bytes"
[ "$(ls "$(dirname "$data")")" = Tessel.dat ] || x11_fail "two copies left $(ls "$(dirname "$data")")"
echo "two copies: one whole file"

# -data names the file; XDG_CONFIG_HOME moves the default.
run_saver -data "$X11_WORK/other.dat" -seed 4
[ "$(stat -c %s "$X11_WORK/other.dat")" = $((96 + 96 * 41)) ] || x11_fail "-data made no file"
XDG_CONFIG_HOME=$X11_WORK/xdg run_saver -seed 5
[ -f "$X11_WORK/xdg/tessel/Tessel.dat" ] || x11_fail "XDG_CONFIG_HOME was not followed"
echo "PASS"
