#!/usr/bin/env bash
# Answers "can this machine run 32-bit Windows programs under Wine?"
#   can-run-i386.sh      exit 0: yes; exit 1: no, and one line on stdout says why
# Some kernels run no 32-bit x86 code at all ("Exec format error"): there the
# 32-bit Wine loader cannot start, while 64-bit programs still run.
# TESSEL_ASSUME_NO_I386=1 answers "no" on any machine, so that the other path
# can be tried where 32-bit code does run (tests only).
set -euo pipefail

if [ "${TESSEL_ASSUME_NO_I386:-0}" = "1" ]; then
  echo "this machine cannot execute 32-bit x86 programs (assumed: TESSEL_ASSUME_NO_I386=1)"
  exit 1
fi

# A static i386 program of 96 bytes that exits with 42: no library, no Wine,
# only the kernel's own support for 32-bit code. It lives under the build
# folder, since /tmp may forbid executing programs.
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/build"
dir=$(mktemp -d "$root/build/.i386-probe.XXXXXX")
trap 'rm -rf "$dir"' EXIT
elf="$dir/exit42"
{
  # ELF header: 32-bit, little-endian, executable, i386, entry 0x08048054.
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  # One loadable, executable segment: the whole file at 0x08048000.
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
  printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  # mov ebx, 42; mov eax, 1 (exit); int 0x80
  printf '\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80'
} >"$elf"
chmod +x "$elf"
code=0
timeout -k 2 10 "$elf" 2>/dev/null || code=$?
if [ "$code" != 42 ]; then
  echo "this machine cannot execute 32-bit x86 programs"
  exit 1
fi

loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  echo "32-bit Wine ($loader) is not installed"
  exit 1
fi
if ! out=$(timeout -k 2 30 "$loader" --version 2>&1); then
  echo "32-bit Wine does not start on this machine: $(head -1 <<<"$out")"
  exit 1
fi
exit 0
