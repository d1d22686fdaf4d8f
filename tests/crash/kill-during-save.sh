#!/usr/bin/env bash
# Kills a program that saves the settings in a loop (SaveLoop.h) with SIGKILL
# at random moments while it saves, and checks after every kill that the file
# is the complete old or the complete new content, byte for byte, and that
# the next run's real reader finds exactly that, whatever pending file the
# kill left behind.
#   kill-during-save.sh [--kills N] [--lanes L] data PROGRAM WORK
#       the data file beside PROGRAM (copied into WORK); a Windows PROGRAM
#       runs under Wine in the prefix TESSEL_WINE_PREFIX, whose server runs
#       already, and the Unix process that runs it is the one killed
#   kill-during-save.sh [--kills N] [--lanes L] x11 PROGRAM WORK
#       tessel-x11's settings file, WORK/<lane>/tessel/Tessel.dat
# N kills (default 200) shared by L lanes (default 2) that run side by side,
# each with a file of its own. Prints the counts; fails on a torn file, a read
# that differs from the file, a failed save or a run that could not be killed.
set -u
kills=200 lanes=2
while [ $# -gt 3 ]; do
  case "$1" in
    --kills) kills=$2; shift 2 ;;
    --lanes) lanes=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -eq 3 ] || { echo "usage: $0 [--kills N] [--lanes L] data|x11 PROGRAM WORK" >&2; exit 2; }
mode=$1 program=$2 work=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../scripts/wine-loader.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

case $mode in data|x11) ;; *) fail "unknown mode '$mode'" ;; esac
wine_arch=""
if [ "$mode" = data ] && wine_arch=$(wine_arch_of "$program"); then
  # As scripts/wine-run.sh runs a program, without its checks of the prefix
  # at every start: a start costs as much as the rest of a kill.
  wine_use "$wine_arch"
  export WINEPREFIX=${TESSEL_WINE_PREFIX:?a Windows program needs TESSEL_WINE_PREFIX} WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  [ ! -f "${TESSEL_XVFB_DIR:-}/display" ] || export DISPLAY="$(cat "$TESSEL_XVFB_DIR/display")"
fi
rm -rf "${work:?}"
mkdir -p "$work"
work=$(cd "$work" && pwd)

# One lane: `count` kills in a folder of its own; its last line holds the
# numbers of pending files left and of torn files.
lane() {
  local name=$1 dir=$work/$1 count=$2 run file pending out pid="" now torn=0 left=0 i wait line code
  mkdir -p "$dir"
  if [ "$mode" = data ]; then
    cp "$program" "$dir/"
    run=("$dir/$(basename "$program")")
    file=$dir/Tessel.dat
    [ -z "$wine_arch" ] || run=("$WINE" "${run[@]}")
  else
    mkdir -m 700 "$dir/tessel"
    file=$dir/tessel/Tessel.dat
    run=("$program" "$file")
  fi
  pending=${file%.dat}.new
  out=$dir/run.out
  # Waits without starting a process: reads that time out on a pipe of our own.
  mkfifo "$dir/clock"
  exec 9<>"$dir/clock"
  pause() { read -r -t "$1" -u 9 _; }

  # Wine's loader becomes the process that runs the Windows program.
  stop() { [ -z "$pid" ] || { kill -KILL "$pid"; wait "$pid"; } 2>/dev/null; }
  trap stop EXIT

  start() {
    rm -f "$file.saving"
    "${run[@]}" "$1" </dev/null >"$out" 2>&1 &
    pid=$!
  }
  # The run must end with code $1 after first saying $2.
  finish() {
    code=0
    { wait "$pid" || code=$?; } 2>/dev/null
    pid=""
    # Wine may say something first.
    while read -r line && [[ $line != read\ * ]]; do :; done <"$out"
    [ "$code" -eq "$1" ] || fail "$name: the run ended with $code, not $1: $(cat "$out")"
    [ "${line%$'\r'}" = "$2" ] || fail "$name: expected '$2', the run said: $(cat "$out")"
  }
  content() {
    if cmp -s "$file" "$dir/a.dat"; then echo A
    elif cmp -s "$file" "$dir/b.dat"; then echo B
    else echo torn
    fi
  }

  # The two contents, each from a save that nothing disturbed.
  start 1; finish 0 "read none"; cp "$file" "$dir/a.dat"
  start 1; finish 0 "read A"; cp "$file" "$dir/b.dat"
  cmp -s "$dir/a.dat" "$dir/b.dat" && fail "$name: the two contents are the same"
  now=B
  for ((i = 1; i <= count; ++i)); do
    start 1000000
    for ((wait = 0; wait < 12000; ++wait)); do
      [ -e "$file.saving" ] && break
      kill -0 "$pid" 2>/dev/null || break
      pause 0.005
    done
    [ -e "$file.saving" ] || fail "$name: run $i never saved: $(cat "$out")"
    # Somewhere in the saves after the first.
    pause "0.0$(printf %02d $((RANDOM % 25)))"
    kill -KILL "$pid" || fail "$name: run $i could not be killed"
    finish 137 "read $now"
    now=$(content)
    if [ "$now" = torn ]; then
      # Kept for a look, and replaced so that the count goes on.
      torn=$((torn + 1))
      cp "$file" "$dir/torn-$i.dat"
      cp "$dir/a.dat" "$file"
      now=A
    fi
    [ -e "$pending" ] && left=$((left + 1))
  done
  # The last kill's file is read too; under Wine this also shows that the
  # server still serves the prefix after all those kills.
  start 1; finish 0 "read $now"
  echo "$left $torn"
}

started=$SECONDS
pids=()
for ((l = 0; l < lanes; ++l)); do
  lane "lane$l" $(((kills + l) / lanes)) >"$work/lane$l.result" &
  pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
left=0 torn=0
for ((l = 0; l < lanes; ++l)); do
  read -r lane_left lane_torn <"$work/lane$l.result" || { status=1; continue; }
  left=$((left + lane_left)) torn=$((torn + lane_torn))
done
echo "kill-during-save $mode${wine_arch:+ ($wine_arch)}: $kills kills while saving, $left left a pending file," \
  "$torn torn files, $((SECONDS - started)) s"
[ "$status" -eq 0 ] || fail "a lane failed"
[ "$torn" -eq 0 ] || fail "$torn torn files, kept in $work"
