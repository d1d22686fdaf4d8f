#!/usr/bin/env bash
# Runs a command as on a machine that cannot execute 32-bit x86 programs, to
# try that path where they do run. In a mount namespace of its own the
# dynamic loader of 32-bit Linux programs (which Wine's 32-bit loader and
# server need) is covered by /dev/null, so any use of 32-bit Wine fails; the
# probe is told the answer, since its tiny static program would still run.
# Needs root. Nothing outside the command sees the change.
#   without-i386.sh COMMAND [ARGS...]
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: without-i386.sh COMMAND [ARGS...]" >&2; exit 2; }
interp=$(readlink -f /lib/ld-linux.so.2 2>/dev/null || true)
export TESSEL_ASSUME_NO_I386=1
if [ -z "$interp" ] || [ ! -e "$interp" ]; then
  exec "$@"  # no 32-bit loader at all: nothing to hide
fi
exec unshare --mount --propagation private \
  bash -c 'mount --bind /dev/null "$1" && shift && exec "$@"' without-i386 "$interp" "$@"
