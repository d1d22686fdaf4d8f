#!/usr/bin/env bash
# tessel-wayland refuses what it cannot run with a message that says why:
# a bad command line (exit 2 with the usage), no Wayland display and a
# compositor without layer-shell (weston's headless backend) (exit 1).
#   wayland_refusals.sh TESSEL_WAYLAND
source "$(dirname "$0")/wayland-lib.sh"
saver=$1
wl_setup wayland_refusals
wl_own_work

# "ARGS|EXIT|TEXT": the program's exit and a text of its output.
while IFS='|' read -r args code text; do
  # shellcheck disable=SC2086  # the arguments are words
  out=$("${WL_AS_USER[@]}" "$saver" $args 2>&1)
  status=$?
  [ "$status" = "$code" ] || x11_fail "'$args' exited $status, not $code: $out"
  grep -qF -- "$text" <<<"$out" || x11_fail "'$args' did not say '$text': $out"
done <<'CASES'
--fps 0|2|usage: tessel-wayland
-scene 3|2|unknown option '-scene'
--seed|2|--seed needs a value
--help|0|--background
CASES
echo "bad command lines: exit 2 with the usage"

out=$(setpriv --reuid "$SWAY_FIXTURE_UID" --regid "$SWAY_FIXTURE_GID" --init-groups env -i HOME="$X11_WORK/home" \
  XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" "$saver" 2>&1)
status=$?
[ "$status" = 1 ] && grep -q "WAYLAND_DISPLAY is not set" <<<"$out" || x11_fail "no display: $status: $out"
echo "no display: exit 1, '$out'"

# weston offers no layer-shell.
mkdir -p "$X11_WORK/weston"
chmod 700 "$X11_WORK/weston"
wl_own_work
setpriv --reuid "$SWAY_FIXTURE_UID" --regid "$SWAY_FIXTURE_GID" --init-groups env -i HOME="$X11_WORK/home" \
  XDG_RUNTIME_DIR="$X11_WORK/weston" weston --backend=headless-backend.so --socket=wayland-t --idle-time=0 \
  >"$X11_WORK/weston.log" 2>&1 &
X11_PIDS+=("$!")
for _ in $(seq 100); do [ -S "$X11_WORK/weston/wayland-t" ] && break; sleep 0.1; done
[ -S "$X11_WORK/weston/wayland-t" ] || x11_fail "weston did not start: $(tail -3 "$X11_WORK/weston.log")"
out=$(setpriv --reuid "$SWAY_FIXTURE_UID" --regid "$SWAY_FIXTURE_GID" --init-groups env -i HOME="$X11_WORK/home" \
  XDG_RUNTIME_DIR="$X11_WORK/weston" WAYLAND_DISPLAY=wayland-t "$saver" 2>&1)
status=$?
[ "$status" = 1 ] && grep -q "no layer-shell" <<<"$out" || x11_fail "weston: $status: $out"
echo "a compositor without layer-shell: exit 1, '$out'"
echo "PASS"
