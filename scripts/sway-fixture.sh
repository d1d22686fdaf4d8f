#!/usr/bin/env bash
# Starts or stops a private headless sway (a Wayland compositor with
# layer-shell) for tessel-wayland's tests, keeping everything under DIR.
# sway refuses to run as root: it runs as the unprivileged user tessel-test
# (made by install-deps.sh), as do the programs the tests start on it.
#   sway-fixture.sh start DIR [MODE...]
#                              outputs of these modes (default: HEADLESS-1
#                              640x480 and HEADLESS-2 800x600); writes DIR/env
#                              (the variables a client needs) and DIR/sway.pid
#   sway-fixture.sh stop DIR   stops that sway, by process id
set -euo pipefail
cmd=${1:-}
dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: sway-fixture.sh start|stop DIR" >&2; exit 2; }
user=tessel-test
shift 2 || true
modes=("$@")
[ ${#modes[@]} -gt 0 ] || modes=(640x480 800x600)

source "$(dirname "${BASH_SOURCE[0]}")/pid-file.sh"

case "$cmd" in
  start)
    id -u "$user" >/dev/null 2>&1 || { echo "sway-fixture: no user $user (run scripts/install-deps.sh)" >&2; exit 1; }
    command -v sway >/dev/null || { echo "sway-fixture: sway is not installed" >&2; exit 1; }
    uid=$(id -u "$user")
    gid=$(id -g "$user")
    stop_pid "$dir/sway.pid"
    rm -rf "$dir"
    mkdir -p "$dir/runtime" "$dir/home"
    dir=$(cd "$dir" && pwd)
    # The runtime folder is the compositor's alone, as a login's would be.
    chmod 0700 "$dir/runtime"
    chown "$uid:$gid" "$dir/runtime" "$dir/home"
    chmod 0755 "$dir"
    setpriv --reuid "$uid" --regid "$gid" --init-groups test -w "$dir/runtime" ||
      { echo "sway-fixture: $user cannot reach $dir (a folder above it is private)" >&2; exit 1; }
    {
      echo "xwayland disable"
      x=0
      for i in "${!modes[@]}"; do
        echo "output HEADLESS-$((i + 1)) mode ${modes[$i]} position $x 0"
        x=$((x + ${modes[$i]%x*}))
      done
    } > "$dir/sway.config"
    setpriv --reuid "$uid" --regid "$gid" --init-groups env -i HOME="$dir/home" PATH=/usr/bin:/bin \
      XDG_RUNTIME_DIR="$dir/runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
      sway -c "$dir/sway.config" >"$dir/sway.log" 2>&1 &
    echo $! > "$dir/sway.pid"
    socket=
    for _ in $(seq 100); do
      socket=$(find "$dir/runtime" -maxdepth 1 -name 'wayland-*' -type s -printf '%f\n' | head -1)
      ipc=$(find "$dir/runtime" -maxdepth 1 -name 'sway-ipc.*.sock' -type s | head -1)
      [ -n "$socket" ] && [ -n "$ipc" ] && break
      sleep 0.1
    done
    if [ -z "$socket" ] || [ -z "$ipc" ]; then
      echo "sway-fixture: sway did not start" >&2
      cat "$dir/sway.log" >&2
      stop_pid "$dir/sway.pid"
      exit 1
    fi
    cat > "$dir/env" <<ENV
SWAY_FIXTURE_UID=$uid
SWAY_FIXTURE_GID=$gid
XDG_RUNTIME_DIR=$dir/runtime
WAYLAND_DISPLAY=$socket
SWAYSOCK=$ipc
ENV
    as_user() {
      setpriv --reuid "$uid" --regid "$gid" --init-groups env -i HOME="$dir/home" PATH=/usr/bin:/bin \
        XDG_RUNTIME_DIR="$dir/runtime" WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc" "$@"
    }
    # The headless backend starts with one output; the others are made.
    for ((i = 1; i < ${#modes[@]}; i++)); do as_user swaymsg -q create_output; done
    for _ in $(seq 50); do
      [ "$(as_user swaymsg -t get_outputs -r | grep -c '"name": "HEADLESS-')" -ge ${#modes[@]} ] && break
      sleep 0.1
    done
    echo "sway-fixture: $socket in $dir/runtime: $(as_user swaymsg -t get_outputs -r | grep -c '"name": "HEADLESS-') outputs"
    ;;
  stop)
    stop_pid "$dir/sway.pid"
    rm -f "$dir/env"
    ;;
  *) echo "usage: sway-fixture.sh start|stop DIR" >&2; exit 2 ;;
esac
