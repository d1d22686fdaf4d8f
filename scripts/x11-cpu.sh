#!/usr/bin/env bash
# Processor time of tessel-x11 per frame on a private 1920x1080 Xvfb, with
# and without MIT-SHM: 10 s of the program's user+system time from
# /proc/PID/stat after 2 s of warming up, divided by the frames it showed
# (its log's count). The X server's time is printed beside it.
#   x11-cpu.sh TESSEL_X11 [SECONDS]
set -u
saver=${1:?usage: x11-cpu.sh TESSEL_X11 [SECONDS]}
seconds=${2:-10}
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
exec 8> >(cat >"$work/display")
Xvfb -displayfd 8 -screen 0 1920x1080x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
pids+=("$xvfb")
exec 8>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(tr -dc 0-9 <"$work/display")"
export DISPLAY
ticks=$(getconf CLK_TCK)
cpu_of() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

for mode in shm -no-shm; do
  rm -rf "$work/run"; mkdir -p "$work/run"
  flag=(); [ "$mode" = -no-shm ] && flag=(-no-shm)
  HOME=$work/run TMPDIR=$work/run XDG_CONFIG_HOME='' "$saver" -root -seed 1 "${flag[@]}" &
  run=$!
  pids+=("$run")
  sleep 2
  c0=$(cpu_of "$run"); x0=$(cpu_of "$xvfb")
  sleep "$seconds"
  c1=$(cpu_of "$run"); x1=$(cpu_of "$xvfb")
  kill -TERM "$run"; wait "$run"
  # The log counts the frames of the whole run; scale to the measured part.
  log=$(find "$work/run" -name "Tessel_*0.log" | head -n 1)
  frames=$(iconv -f UTF-16LE -t UTF-8 "$log" | sed -n 's/.*frames shown : \([0-9]*\).*/\1/p' | tail -n 1)
  awk -v c=$((c1 - c0)) -v x=$((x1 - x0)) -v t="$ticks" -v s="$seconds" -v f="$frames" -v m="$mode" 'BEGIN {
    fm = f * s / (s + 2)
    printf "%-7s frames %d in %d s (%.1f/s); tessel-x11 %.2f s CPU = %.2f ms/frame (%.0f%% of a core); Xvfb %.2f s CPU = %.2f ms/frame\n",
      m, f, s + 2, f / (s + 2), c / t, 1000 * c / t / fm, 100 * c / t / s, x / t, 1000 * x / t / fm }'
done
