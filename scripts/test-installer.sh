#!/usr/bin/env bash
# Installs, upgrades and removes the Windows installer with 64-bit Wine's
# msiexec, in a Wine prefix made afresh under build/installer-test, and runs
# the installed saver from System32 on a private X display. Nothing here
# needs 32-bit Wine.
#   test-installer.sh ARCHIVE MSI VERSION
# ARCHIVE is the release archive the MSI was made from: the installed files
# must equal its own. A package of a higher version is made here for the
# upgrade.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
archive=$1
msi=$2
version=$3

work=$root/build/installer-test
prefix=$work/wineprefix
xvfb_dir=$work/xvfb  # wine-run.sh finds the display beside the prefix
saver_pid=""

fail() { echo "test-installer: FAILED: $*"; exit 1; }
wine() { bash scripts/wine-run.sh --prefix "$prefix" "$@"; }
cleanup() {
  [ -z "$saver_pid" ] || kill "$saver_pid" 2>/dev/null || true
  wine --stop
  bash scripts/xvfb-fixture.sh stop "$xvfb_dir" >/dev/null 2>&1 || true
}
trap cleanup EXIT
trap 'exit 143' TERM INT

rm -rf "$work"
mkdir -p "$work/files"
/usr/bin/python3 -m zipfile -e "$archive" "$work/files"

# The same files as a version whose first three fields are higher: the
# installer compares no more than those.
IFS=. read -r major minor build _ <<<"$version"
newer=$major.$minor.$((build + 1)).0
/usr/bin/python3 scripts/make-installer.py --zip "$archive" --version "$newer" --epoch 0 \
  --out "$work/Tessel-$newer-x64.msi" >/dev/null
declare -A packages=([old]="$msi" [new]="$work/Tessel-$newer-x64.msi")
declare -A versions=([old]="$version" [new]="$newer")

wine --arch win64 --init
# Every Wine process of this prefix gets the private display (wine-run.sh finds
# it beside the prefix): a desktop started without one by msiexec or reg
# would leave the saver, started later in the same server, no window at all.
bash scripts/xvfb-fixture.sh start "$xvfb_dir" >/dev/null
windows_path() { local p; p=$(realpath "$1"); p=${p//\//\\}; echo "Z:$p"; }
unix_path() { local p=${1//\\//}; echo "$prefix/drive_c/${p#C:/}"; }
desktop() {  # type and data of a value of the user's desktop settings, or nothing
  wine reg query 'HKCU\Control Panel\Desktop' /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *${1//./\\.} *\(REG_[A-Z_]*\) *\(.*\)$/\1 \2/p"
}
entries() {  # the version of each Programs and Features entry named Tessel
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk '$1 == "DisplayName" { named = ($3 == "Tessel") } $1 == "DisplayVersion" && named { print $3 }' | sort
}

system32=$prefix/drive_c/windows/system32
declare -A installed=([x64/Tessel.scr]="$system32/Tessel.scr" [Tessel.scr]="$prefix/drive_c/windows/syswow64/Tessel.scr"
  [README.txt]="$prefix/drive_c/Program Files/Tessel/README.txt")
check_files() {
  local name
  for name in "${!installed[@]}"; do
    if [ "$1" = present ]; then
      cmp -s "$work/files/$name" "${installed[$name]}" || fail "$step: ${installed[$name]} is not the archive's $name"
    elif [ -e "${installed[$name]}" ]; then
      fail "$step: ${installed[$name]} is still there"
    fi
  done
  [ "$1" = present ] || [ ! -e "$prefix/drive_c/Program Files/Tessel" ] || fail "$step: its Program Files folder is left"
}

# The user's own settings, which no step may touch; the saver plays what
# they choose: the rule of scene 1 of their list.
appdata=$(unix_path "$(wine cmd /c echo '%APPDATA%' | tr -d '\r')")
settings=$appdata/Tessel/Tessel.dat
mkdir -p "$appdata/Tessel"
cp fuzz/seeds/current.dat "$settings"
printf '\x01\x00\x00\x00\x01\x00\x00\x00' | dd of="$settings" bs=1 seek=44 conv=notrunc status=none  # play 1, select 1
other='C:\windows\system32\other.scr'
wine reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /t REG_SZ /d "$other" /f >/dev/null

ours='C:\windows\system32\Tessel.scr'
# step                           | msiexec             | code | entries | files   | SCRNSAVE.EXE
steps="\
SETASSAVER=0 installs alone      | /i old SETASSAVER=0 | 0    | old     | present | $other
removing leaves another saver    | /x old              | 0    |         | absent  | $other
installing sets the saver        | /i old SETASSAVER=1 | 0    | old     | present | $ours
the same version again           | /i old              | 0    | old     | present | $ours
a newer version upgrades         | /i new SETASSAVER=0 | 0    | new     | present | $ours
an older version is refused      | /i old              | 1603 | new     | present | $ours
removing clears our saver        | /x new              | 0    |         | absent  | "
while IFS='|' read -r -u 3 step command code expected files saver; do
  read -r step <<<"$step"; read -r action which property <<<"$command"
  read -r code <<<"$code"; read -r expected <<<"$expected"; read -r files <<<"$files"; read -r saver <<<"$saver"
  before=$(sha256sum <"$settings")
  got=0
  wine msiexec "$action" "$(windows_path "${packages[$which]}")" /qn ${property:+"$property"} \
    /l*v 'C:\msiexec.log' >/dev/null 2>&1 || got=$?
  # A Unix exit status keeps the low 8 bits of Windows' code.
  [ "$got" = "$((code % 256))" ] || { tail -n 30 "$prefix/drive_c/msiexec.log"; fail "$step: msiexec ended with $got, not $code"; }
  want=$([ -z "$expected" ] || echo "${versions[$expected]}")
  [ "$(entries)" = "$want" ] || fail "$step: Programs and Features lists '$(entries)', not '$want'"
  check_files "$files"
  [ "$(desktop SCRNSAVE.EXE)" = "${saver:+REG_SZ $saver}" ] || fail "$step: SCRNSAVE.EXE is '$(desktop SCRNSAVE.EXE)'"
  [ "$(sha256sum <"$settings")" = "$before" ] || fail "$step: the user's settings changed"
  echo "test-installer: $step: ok"

  [ "$step" = "installing sets the saver" ] || continue
  [ "$(desktop ScreenSaveActive)" = "REG_SZ 1" ] || fail "ScreenSaveActive is '$(desktop ScreenSaveActive)'"
  compgen -G "$prefix/drive_c/windows/Installer/*/Tessel.ico" >/dev/null || fail "the entry's icon is not kept"

  # The installed saver, started as Windows would start it, ends on a key.
  # It starts in a server of its own, with nothing left from the steps above.
  wine --stop
  export DISPLAY
  DISPLAY=$(cat "$xvfb_dir/display")
  temp=$(unix_path "$(wine cmd /c echo '%TEMP%' | tr -d '\r')")
  saver_log=$temp/Tessel_%%%%%%_0.log
  saver_ended() {
    local code=0
    wait "$saver_pid" || code=$?
    saver_pid=""
    cat "$work/saver.out"
    [ ! -f "$saver_log" ] || iconv -f UTF-16LE -t UTF-8 "$saver_log" | tr -d '\r' | tail -n 20
    fail "the installed saver ended with $code before showing its window"
  }
  wine "$ours" /s >"$work/saver.out" 2>&1 &
  saver_pid=$!
  shown=""
  for _ in $(seq 240); do
    xdotool search --name '^Screen Saver$' >/dev/null 2>&1 && { shown=1; break; }
    kill -0 "$saver_pid" 2>/dev/null || saver_ended
    sleep 0.5
  done
  [ -n "$shown" ] || fail "the installed saver showed no window in 120 s"
  sleep 2
  xdotool search --name '^Screen Saver$' windowfocus --sync key space 2>/dev/null || xdotool key space
  for _ in $(seq 100); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$saver_pid" 2>/dev/null && fail "the installed saver did not end on a key"
  wait "$saver_pid" || fail "the installed saver ended with $?"
  saver_pid=""
  iconv -f UTF-16LE -t UTF-8 "$saver_log" | tr -d '\r' |
    grep -q 'data file used : C:\\users\\.*\\Tessel\\Tessel\.dat' || fail "the saver did not play the user's settings"
  echo "test-installer: the installed saver ran from System32 and ended on a key: ok"
done 3<<<"$steps"
echo "test-installer: passed"
