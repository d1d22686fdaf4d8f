#!/usr/bin/env bash
# Builds the Debian packages (tessel-x11, tessel-wayland) from the release
# preset and checks them: the programs, tessel-x11's option description,
# tessel-wayland's manual page, the copyright and changelog files in their
# places, and lintian with no error or warning (the tags it still reports at
# lower levels are listed with the reason they stay in
# package/debian/lintian-notes.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "check-deb: FAILED: $*"; exit 1; }

cmake --preset release >/dev/null
cmake --build --preset release -j 2
(cd build/release && cpack -G DEB >/dev/null)
check() {
  local deb contents path out
  deb=$(ls build/release/"$1"_*.deb)
  shift
  contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
  for path in "$@"; do
    grep -qx "$path" <<<"$contents" || fail "$deb lacks $path"
  done
  # Errors and warnings fail; info tags are shown.
  out=$(lintian --display-level '>=info' "$deb" 2>&1) || true
  echo "$out"
  if grep -E '^[EW]: ' <<<"$out"; then
    fail "lintian reports errors or warnings for $deb"
  fi
  echo "check-deb: $deb passed"
}
check tessel-x11 ./usr/libexec/xscreensaver/tessel-x11 ./usr/share/xscreensaver/config/tessel-x11.xml \
  ./usr/share/doc/tessel-x11/copyright ./usr/share/doc/tessel-x11/changelog.gz
check tessel-wayland ./usr/bin/tessel-wayland ./usr/share/man/man1/tessel-wayland.1.gz \
  ./usr/share/doc/tessel-wayland/copyright ./usr/share/doc/tessel-wayland/changelog.gz
