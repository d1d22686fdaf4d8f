#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, run and test Tessel.
# Idempotent: apt-get runs only when a command or package is missing.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have_cmd cmake || need+=(cmake)
have_cmd ninja || need+=(ninja-build)
have_cmd g++ || need+=(g++)
have_cmd clang++ || need+=(clang)
# libFuzzer's runtime is only a recommendation of clang's packages.
have_pkg libclang-rt-dev || need+=(libclang-rt-dev)
have_cmd python3 || need+=(python3)
# Reads the release archive's programs (scripts/check-package.py).
have_pkg python3-pefile || need+=(python3-pefile)
have_pkg googletest || need+=(googletest)
have_pkg libgtest-dev || need+=(libgtest-dev libgmock-dev)
have_pkg libbenchmark-dev || need+=(libbenchmark-dev)
# tessel-render writes PNG and animated WebP (libwebpmux comes with libwebp-dev).
have_pkg libpng-dev || need+=(libpng-dev)
have_pkg libwebp-dev || need+=(libwebp-dev)
have_cmd pkg-config || need+=(pkg-config)
have_cmd i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have_cmd i686-w64-mingw32-windres || need+=(binutils-mingw-w64-i686)
have_pkg wine32:i386 || need+=(wine32:i386)
have_cmd wine || need+=(wine)
have_pkg wine64 || need+=(wine64)
have_cmd Xvfb || need+=(xvfb)
have_cmd xdotool || need+=(xdotool)
have_cmd xwd || need+=(x11-apps)
have_pkg imagemagick || need+=(imagemagick)
have_cmd openbox || need+=(openbox)
# Monitors side by side for Wine: Xorg's dummy driver, laid out with xrandr.
have_pkg xserver-xorg-core || need+=(xserver-xorg-core)
have_pkg xserver-xorg-video-dummy || need+=(xserver-xorg-video-dummy)
have_cmd xrandr || need+=(x11-xserver-utils)
# 32-bit Wine changes display settings through it (only recommended by Wine).
have_pkg libxrandr2:i386 || need+=(libxrandr2:i386)
have_pkg fonts-ipafont-gothic || need+=(fonts-ipafont-gothic)
# Wine's Tahoma, the English dialogs' font, whose labels are measured in the tests.
have_pkg fonts-wine || need+=(fonts-wine)
# tessel-x11: Xlib with MIT-SHM to build it, XScreenSaver to test it under.
have_pkg libx11-dev || need+=(libx11-dev)
have_pkg libxext-dev || need+=(libxext-dev)
have_cmd xscreensaver || need+=(xscreensaver)
have_cmd xsetroot || need+=(x11-xserver-utils)
# tessel-wayland: the client library and wayland-scanner, which makes the
# protocols' glue at build time from the XML (xdg-shell's from wayland-protocols).
have_pkg libwayland-dev || need+=(libwayland-dev)
have_cmd wayland-scanner || need+=(libwayland-bin)
have_pkg wayland-protocols || need+=(wayland-protocols)
# Its tests: a private headless sway with layer-shell, screenshots per
# output, keys from a virtual keyboard, and weston as a compositor without
# layer-shell.
have_cmd sway || need+=(sway)
have_cmd grim || need+=(grim)
have_cmd wtype || need+=(wtype)
# The README's idle-daemon line for sway is run as written by a test.
have_cmd swayidle || need+=(swayidle)
have_cmd weston || need+=(weston)
# Its Debian package's dependencies (cpack -G DEB).
have_cmd dpkg-shlibdeps || need+=(dpkg-dev)
# The Windows installer: wixl builds it, msiinfo reads its tables, and
# make-installer.py finishes it through libmsi's Python bindings.
have_cmd wixl || need+=(wixl)
have_cmd msiinfo || need+=(msitools)
have_pkg gir1.2-libmsi-1.0 || need+=(gir1.2-libmsi-1.0)
have_pkg python3-gi || need+=(python3-gi)
# Wine takes the user's language from the locale: the dialogs are tested in
# English and in Japanese.
have_pkg locales || need+=(locales)
test_locales=(en_US.UTF-8 ja_JP.UTF-8)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# Generates the test locales that `locale -a` lacks (it lists them as
# en_US.utf8); locale-gen runs only then.
generate_locales() {
  local missing=() name
  for name in "${test_locales[@]}"; do
    locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}" || missing+=("$name")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "install-deps: generating the locales ${missing[*]}"
  for name in "${missing[@]}"; do
    "${sudo_cmd[@]}" sed -i "s/^# *\($name UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$name UTF-8" /etc/locale.gen || echo "$name UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
}
# sway refuses to run as root: the Wayland tests run the compositor, the
# program and the tools as this unprivileged user, with no login.
test_user=tessel-test
make_test_user() {
  id -u "$test_user" >/dev/null 2>&1 && return 0
  echo "install-deps: adding the user $test_user"
  "${sudo_cmd[@]}" useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$test_user"
}
# Checks that package against Debian's policy (scripts/check-deb.sh).
have_cmd lintian || need+=(lintian)
# The CPU hog that keeps every core busy while scripts/flake-hunt.sh runs the tests.
have_cmd stress-ng || need+=(stress-ng)

if [ ${#need[@]} -eq 0 ]; then
  generate_locales
  make_test_user
  echo "install-deps: everything is present"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
echo "install-deps: installing ${need[*]}"
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
generate_locales
make_test_user
