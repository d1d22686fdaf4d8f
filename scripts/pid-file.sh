# shellcheck shell=bash
# Stopping a process the caller started and recorded by its id; sourced by
# the display fixtures.
#   stop_pid FILE   ends the process whose id FILE holds (politely, then by
#                   force after 5 s) and removes FILE; nothing when it is gone

stop_pid() {
  local file=$1 pid
  [ -f "$file" ] || return 0
  pid=$(cat "$file")
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    # It may end by itself at any moment: a kill that finds it gone is fine.
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$file"
}
