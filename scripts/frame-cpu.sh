#!/usr/bin/env bash
# Processor time per presented frame of the desktop programs beside the
# portable frame work, on the same machine in one run: BM_FrameOnMonitors
# (one 1920x1080 monitor), then tessel-wayland on a private headless sway
# and tessel-x11 on a private Xvfb (with MIT-SHM and with plain XPutImage),
# each on one 1920x1080 screen at 30 frames a second, all playing the
# benchmark's scene. A program's time is SECONDS of its user+system time
# (/proc/PID/stat) after 2 s of warming up, divided by the frames it showed in
# that part (its log's count, scaled); the display server's time is printed
# beside it.
#   frame-cpu.sh BUILD [SECONDS]     BUILD: a build of the bench preset
set -u
build=${1:?usage: frame-cpu.sh BUILD [SECONDS]}
seconds=${2:-10}
here=$(cd "$(dirname "$0")" && pwd)
for program in bench/tessel_bench bench/grid-scene-file saver/wayland/tessel-wayland saver/x11/tessel-x11; do
  [ -x "$build/$program" ] || { echo "frame-cpu: no $build/$program (cmake --build --preset bench)" >&2; exit 1; }
done
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

work_us=$("$build/bench/tessel_bench" --benchmark_filter='BM_FrameOnMonitors/layout:0$' --benchmark_format=csv 2>/dev/null |
  awk -F, '/BM_FrameOnMonitors/ { print $4 }')
[ -n "$work_us" ] || { echo "frame-cpu: the benchmark gave no time" >&2; exit 1; }
printf '%-15s %8.2f ms CPU per frame (BM_FrameOnMonitors, 1920x1080)\n' "frame work" "$(awk -v u="$work_us" 'BEGIN { print u / 1000 }')"
"$build/bench/grid-scene-file" "$work/Tessel.dat" || exit 1

# measure NAME SERVER_PID RUN_PID RUN_HOME
measure() {
  local c0 x0 c1 x1 log frames
  sleep 2
  kill -0 "$3" 2>/dev/null || { echo "frame-cpu: $1 ended early" >&2; exit 1; }
  c0=$(cpu_of "$3"); x0=$(cpu_of "$2")
  sleep "$seconds"
  c1=$(cpu_of "$3"); x1=$(cpu_of "$2")
  kill -TERM "$3"; wait "$3"
  log=$(find "$4" -name "Tessel_*0.log" | head -n 1)
  frames=$(iconv -f UTF-16LE -t UTF-8 "$log" | sed -n 's/.*frames shown : \([0-9]*\).*/\1/p' | tail -n 1)
  awk -v c=$((c1 - c0)) -v x=$((x1 - x0)) -v t="$ticks" -v s="$seconds" -v f="${frames:-0}" -v m="$1" -v w="$work_us" 'BEGIN {
    fm = f * s / (s + 2)
    if (fm == 0) { printf "%-15s showed no frames\n", m; exit 1 }
    printf "%-15s %8.2f ms CPU per frame = %.2f x the frame work; %d frames in %d s (%.1f/s); server %.2f ms/frame\n",
      m, 1000 * c / t / fm, 1000 * c / t / fm / (w / 1000), f, s + 2, f / (s + 2), 1000 * x / t / fm }'
}

"$here/sway-fixture.sh" start "$work/sway" 1920x1080 >/dev/null || exit 1
# shellcheck disable=SC1091
source "$work/sway/env"
mkdir -p "$work/wayland"
cp "$work/Tessel.dat" "$work/wayland/"
chown -R "$SWAY_FIXTURE_UID:$SWAY_FIXTURE_GID" "$work/wayland"
setpriv --reuid "$SWAY_FIXTURE_UID" --regid "$SWAY_FIXTURE_GID" --init-groups env -i HOME="$work/wayland" \
  XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" \
  "$build/saver/wayland/tessel-wayland" --data "$work/wayland/Tessel.dat" --seed 1 --fps 30 &
run=$!
pids+=("$run")
measure tessel-wayland "$(cat "$work/sway/sway.pid")" "$run" "$work/wayland"

exec 8> >(cat >"$work/display")
Xvfb -displayfd 8 -screen 0 1920x1080x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
pids+=("$xvfb")
exec 8>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
for mode in "tessel-x11 SHM" "tessel-x11 put"; do
  home=$work/${mode// /-}
  mkdir -p "$home"
  cp "$work/Tessel.dat" "$home/"
  flag=(); [ "$mode" = "tessel-x11 put" ] && flag=(-no-shm)
  DISPLAY=":$(tr -dc 0-9 <"$work/display")" HOME=$home TMPDIR=$home XDG_CONFIG_HOME='' \
    "$build/saver/x11/tessel-x11" -root -data "$home/Tessel.dat" -seed 1 -fps 30 "${flag[@]}" &
  run=$!
  pids+=("$run")
  measure "$mode" "$xvfb" "$run" "$home"
done
