#!/usr/bin/env bash
# Settings are never lost: a damaged header and a truncated list are kept as
# Tessel.damaged-*.dat before the saver's write, the list comes back with all
# 40 built-in scenes, a read-only program folder (made so with chattr +i,
# since the tests run as root) and a folder named Tessel.dat send the
# settings to %APPDATA%\Tessel\Tessel.dat, which the next /s and /c read.
source "$(dirname "$0")/e2e-lib.sh"
# A run stopped by force may have left its read-only folder behind.
chattr -R -i "$TESSEL_E2E_DIR/settings_places" 2>/dev/null || true
e2e_setup settings_places "$1" "$2"

appdata=$(e2e_wine_folder APPDATA) && [ -n "$appdata" ] || e2e_fail "no per-user folder from Wine"
user_dir=$appdata/Tessel
immutable=()
# The per-user file would change what every later test of this prefix reads.
places_cleanup() {
  local dir
  for dir in "${immutable[@]}"; do chattr -i "$dir" 2>/dev/null || true; done
  rm -rf "$user_dir"
  e2e_cleanup
}
trap places_cleanup EXIT
trap 'exit 143' TERM INT  # so that a stopped run cleans up too
rm -rf "$user_dir"

# Runs the saver full screen from folder $1 until it has shown a few frames,
# ends it with the mouse and checks that it ended well.
run_saver() {
  # Started by its full path from the test's own folder, which stays writable.
  e2e_start "$1/Tessel.scr" /s
  local saver=$E2E_LAST_PID
  e2e_wait_saver_window 60 || e2e_fail "no saver window in $1"
  sleep 1.5
  e2e_xdotool mousemove_relative -- 40 30
  sleep 0.2
  e2e_xdotool mousemove_relative -- 40 30
  e2e_wait_exit "$saver" 30
  [ "$E2E_EXIT" = "0" ] || e2e_fail "saver in $1 ended with '$E2E_EXIT'"
}

u32() { od -An -tu4 -j"$2" -N4 "$1" | xargs; }
same_bytes() { cmp -s <(tail -c +"$(($2 + 1))" "$1" | head -c "$3") <(tail -c +"$(($2 + 1))" "$4" | head -c "$3"); }

# A customised file: the saver's own defaults, playing the flattest scene
# (what is checked here holds for any), with fps 15, play time 1 and scene 3
# renamed "mine".
e2e_play_scene "$E2E_FLAT_SCENE"
run_saver "$E2E_WORK"
custom=$E2E_WORK/custom.dat
cp "$E2E_WORK/Tessel.dat" "$custom"
python3 - "$custom" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
struct.pack_into('<I', data, 24, 15)    # fps
struct.pack_into('<i', data, 32, 1)     # time
name = 'mine'.encode('utf-16-le') + b'\0' * 24
data[192 + 2 * 96 + 2:192 + 2 * 96 + 34] = name[:32]
open(sys.argv[1], 'wb').write(data)
PY
[ "$(u32 "$custom" 24)" = 15 ] || e2e_fail "could not make the customised file"

# Each case in a folder of its own, with the program beside its data file.
case_dir() {
  local dir=$E2E_WORK/$1
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$E2E_WORK/Tessel.scr" "$dir/"
  echo "$dir"
}
damaged_copies() { find "$1" -maxdepth 1 -name 'Tessel.damaged-*.dat' | sort; }

# 1. One flipped bit in the id: the original is kept, the defaults written.
dir=$(case_dir damaged_header)
python3 -c "import sys; d=bytearray(open(sys.argv[1],'rb').read()); d[2]^=0x20; open(sys.argv[2],'wb').write(d)" \
  "$custom" "$dir/Tessel.dat"
cp "$dir/Tessel.dat" "$E2E_WORK/damaged_header.orig"
run_saver "$dir"
copies=$(damaged_copies "$dir")
[ "$(wc -l <<<"$copies")" = 1 ] && [ -n "$copies" ] || e2e_fail "damaged header: copies '$copies'"
cmp -s "$copies" "$E2E_WORK/damaged_header.orig" || e2e_fail "damaged header: the copy differs from the original"
[ "$(stat -c %s "$dir/Tessel.dat")" = 4032 ] || e2e_fail "damaged header: Tessel.dat not rewritten whole"
e2e_log_text | grep -q "damaged data file kept : .*Tessel.dat -> .*Tessel.damaged-" ||
  e2e_fail "damaged header: no log line naming both files"
echo "damaged header: original kept as $(basename "$copies"), a sound file written"

# 2. Cut at 1,000 bytes (8 of 40 records): the 8 keep their bytes, the other
#    32 built-in scenes come back, the cut file is kept.
dir=$(case_dir truncated)
head -c 1000 "$custom" >"$dir/Tessel.dat"
run_saver "$dir"
[ "$(stat -c %s "$dir/Tessel.dat")" = 4032 ] || e2e_fail "truncated: the list did not come back to 40 scenes"
same_bytes "$dir/Tessel.dat" 192 768 "$custom" || e2e_fail "truncated: the 8 scenes read lost bytes"
same_bytes "$dir/Tessel.dat" 960 3072 "$custom" || e2e_fail "truncated: restored scenes differ from the built-in ones"
[ "$(u32 "$dir/Tessel.dat" 24)" = 15 ] || e2e_fail "truncated: fps not kept"
copies=$(damaged_copies "$dir")
[ -n "$copies" ] && cmp -s "$copies" <(head -c 1000 "$custom") || e2e_fail "truncated: the cut file was not kept"
e2e_log_text | grep -q "scene_list lacks 32 built-in scenes : merged" || e2e_fail "truncated: no merge line"
echo "truncated: 40 scenes, the 8 read unchanged, the cut file kept"

# 3. Read-only program folder (chattr +i): the settings go per user, the
#    program's file stays as it was, and the next /s and /c read the per-user file.
dir=$(case_dir read_only)
cp "$custom" "$dir/Tessel.dat"
chattr +i "$dir" || e2e_fail "chattr +i failed (the file system must support it)"
immutable+=("$dir")
touch "$dir/probe" 2>/dev/null && e2e_fail "the folder is still writable"
run_saver "$dir"
cmp -s "$dir/Tessel.dat" "$custom" || e2e_fail "read-only: the program's file changed"
[ -f "$user_dir/Tessel.dat" ] || e2e_fail "read-only: no per-user file"
[ "$(u32 "$user_dir/Tessel.dat" 24)" = 15 ] || e2e_fail "read-only: the per-user file lost the settings"
e2e_log_text | grep -q "data file saved per user : " || e2e_fail "read-only: no per-user log line"
python3 -c "import struct,sys; d=bytearray(open(sys.argv[1],'rb').read()); struct.pack_into('<I',d,24,25); open(sys.argv[1],'wb').write(d)" \
  "$user_dir/Tessel.dat"
run_saver "$dir"
e2e_log_text | grep -q "data file used : .*Tessel.dat (per-user file" || e2e_fail "read-only: the next /s did not read the per-user file"
e2e_log_text | grep -q "  fps : 25 " || e2e_fail "read-only: the next /s did not take the per-user settings"
e2e_start "$dir/Tessel.scr" /c
dialog=$E2E_LAST_PID
focused=no
for _ in $(seq 80); do
  if e2e_xdotool search --name '^Tessel の設定$' windowfocus --sync >/dev/null 2>&1; then
    focused=yes
    break
  fi
  sleep 0.5
done
[ "$focused" = yes ] || e2e_fail "read-only: no dialog for /c"
e2e_xdotool key Escape
e2e_wait_exit "$dialog" 15
e2e_log_text | grep -q "data file used : .*Tessel.dat (per-user file" || e2e_fail "read-only: /c did not read the per-user file"
chattr -i "$dir"
immutable=()
rm -rf "$user_dir"
echo "read-only folder: program file untouched, per-user file written and read by the next /s and /c"

# 4. A folder named Tessel.dat: the settings go per user.
dir=$(case_dir folder)
mkdir "$dir/Tessel.dat"
run_saver "$dir"
[ -d "$dir/Tessel.dat" ] || e2e_fail "folder: the folder was replaced"
[ "$(stat -c %s "$user_dir/Tessel.dat" 2>/dev/null)" = 4032 ] || e2e_fail "folder: no per-user file"
e2e_log_text | grep -q "data-file is a folder, not a file" || e2e_fail "folder: the log does not say what is wrong"
e2e_log_text | grep -q "data file place is taken by a folder, left as it is : .*Tessel.dat" ||
  e2e_fail "folder: the log does not say that the folder stays"
! e2e_log_text | grep -q "damaged data file" || e2e_fail "folder: the log calls the folder a damaged file"
rm -rf "$user_dir"
echo "Tessel.dat folder: settings saved per user"

# A long install path is covered by the unit tests: Wine starts no program
# from a path past 260 characters (its start, CreateProcessW and working
# folder all refuse one).
echo "PASS: settings places (damaged header, truncated list, read-only folder, folder named Tessel.dat)"
