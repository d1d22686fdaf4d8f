#!/usr/bin/env bash
# Processor time per frame of tessel-wayland on a private headless sway with
# one 1920x1080 output, side by side with tessel-x11 (MIT-SHM) on a private
# 1920x1080 Xvfb, both at 30 frames a second on the same scene: SECONDS of the
# program's user+system time from /proc/PID/stat after 2 s of warming up,
# divided by the frames it showed (its log's count, scaled to the measured
# part). The display server's time is printed beside it.
#   wayland-cpu.sh TESSEL_WAYLAND TESSEL_X11 [SECONDS]
set -u
wayland=${1:?usage: wayland-cpu.sh TESSEL_WAYLAND TESSEL_X11 [SECONDS]}
x11=${2:?usage: wayland-cpu.sh TESSEL_WAYLAND TESSEL_X11 [SECONDS]}
seconds=${3:-10}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  "$here/sway-fixture.sh" stop "$work/sway"
  rm -rf "$work"
}
trap cleanup EXIT
ticks=$(getconf CLK_TCK)
cpu_of() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# measure NAME SERVER_PID RUN_PID RUN_HOME
measure() {
  local c0 x0 c1 x1 log frames
  sleep 2
  c0=$(cpu_of "$3"); x0=$(cpu_of "$2")
  sleep "$seconds"
  c1=$(cpu_of "$3"); x1=$(cpu_of "$2")
  kill -TERM "$3"; wait "$3"
  log=$(find "$4" -name "Tessel_*0.log" | head -n 1)
  frames=$(iconv -f UTF-16LE -t UTF-8 "$log" | sed -n 's/.*frames shown : \([0-9]*\).*/\1/p' | tail -n 1)
  awk -v c=$((c1 - c0)) -v x=$((x1 - x0)) -v t="$ticks" -v s="$seconds" -v f="$frames" -v m="$1" 'BEGIN {
    fm = f * s / (s + 2)
    printf "%-15s frames %d in %d s (%.1f/s); program %.2f s CPU = %.2f ms/frame (%.0f%% of a core); server %.2f s CPU = %.2f ms/frame\n",
      m, f, s + 2, f / (s + 2), c / t, 1000 * c / t / fm, 100 * c / t / s, x / t, 1000 * x / t / fm }'
}

"$here/sway-fixture.sh" start "$work/sway" 1920x1080 >/dev/null || exit 1
# shellcheck disable=SC1091
source "$work/sway/env"
mkdir -p "$work/wayland"
chown "$SWAY_FIXTURE_UID:$SWAY_FIXTURE_GID" "$work/wayland"
setpriv --reuid "$SWAY_FIXTURE_UID" --regid "$SWAY_FIXTURE_GID" --init-groups env -i HOME="$work/wayland" \
  XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" "$wayland" --seed 1 --fps 30 &
run=$!
pids+=("$run")
measure tessel-wayland "$(cat "$work/sway/sway.pid")" "$run" "$work/wayland"

exec 8> >(cat >"$work/display")
Xvfb -displayfd 8 -screen 0 1920x1080x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
pids+=("$xvfb")
exec 8>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
mkdir -p "$work/x11"
DISPLAY=":$(tr -dc 0-9 <"$work/display")" HOME=$work/x11 TMPDIR=$work/x11 XDG_CONFIG_HOME='' \
  "$x11" -root -seed 1 -fps 30 &
run=$!
pids+=("$run")
measure "tessel-x11 SHM" "$xvfb" "$run" "$work/x11"
