#!/usr/bin/env bash
# tessel-x11 on a 16-bit TrueColor screen (5-6-5 masks), whose pixels are
# not the frame's: the converted picture is lit and changing, with and
# without shared memory. A display of its own, stopped by process id.
#   x11_depth16.sh TESSEL_X11
source "$(dirname "$0")/x11-lib.sh"
saver=$1
x11_setup x11_depth16
x11_play_scene "$HOME/.config/tessel/Tessel.dat" "$X11_LIVELY_SCENE"
x11_private_display 320x240x16

# Share of non-zero pixels and a digest of a 16-bit root dump.
stats16() {
  timeout -k 2 10 xwd -silent -root | python3 -c '
import hashlib, struct, sys
d = sys.stdin.buffer.read()
h = struct.unpack(">25I", d[:100])
assert h[3] == 16 and h[11] == 16, "not a 16-bit screen"
px = d[h[0] + h[19] * 12:][:h[12] * h[5]]
lit = sum(1 for i in range(0, len(px), 2) if px[i] or px[i + 1])
print("%.4f %s" % (lit / (len(px) // 2), hashlib.sha1(px).hexdigest()[:16]))'
}

for shm in "" -no-shm; do
  x11_start "$saver" -root -seed 21 $shm
  run=$X11_LAST_PID
  # Counted in captures, as x11_wait_lit and x11_wait_changed do.
  seen=
  for _ in $(seq 100); do
    seen=$(stats16) || x11_fail "cannot read the 16-bit screen"
    awk -v v="${seen% *}" 'BEGIN { exit !(v > 0.01) }' && break
    sleep 0.1
  done
  awk -v v="${seen% *}" 'BEGIN { exit !(v > 0.01) }' || x11_fail "16-bit ${shm}: no picture ($seen)"
  changed=no
  for _ in $(seq 50); do
    sleep 0.1
    [ "${seen#* }" != "$(stats16 | cut -d' ' -f2)" ] && changed=yes && break
  done
  [ "$changed" = yes ] || x11_fail "16-bit ${shm}: the picture does not change"
  kill -TERM "$run"
  x11_wait_exit "$run" 1
  [ "$X11_EXIT" = 0 ] || x11_fail "16-bit ${shm}: ended with '$X11_EXIT'"
  echo "16-bit ${shm:-(MIT-SHM)}: lit ($seen), changing, exit 0"
done
echo "PASS"
