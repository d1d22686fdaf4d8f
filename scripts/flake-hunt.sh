#!/usr/bin/env bash
# Runs the test command ROUNDS times (default 5) on a clean clone of the
# current commit while stress-ng keeps every core busy, and prints a table of
# every test that failed in any round. Exits 1 when any test failed.
#   flake-hunt.sh [ROUNDS] [STAGE...]    stages as for test-all.sh (default: all)
# Uncommitted changes are not in the clone. The clone and each round's
# output stay in build/flake-hunt/<time>/ (round-N.log) for reading.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
rounds=${1:-5}
[[ "$rounds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: flake-hunt.sh [ROUNDS] [STAGE...]" >&2; exit 2; }
shift $(($# > 0 ? 1 : 0))
stages=("$@")

bash scripts/install-deps.sh
commit=$(git rev-parse HEAD)
[ -z "$(git status --porcelain)" ] || echo "flake-hunt: uncommitted changes are left out; testing $commit"
hunt="$root/build/flake-hunt/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$hunt"
git clone --quiet --no-hardlinks "$root" "$hunt/clone"
git -C "$hunt/clone" checkout --quiet --detach "$commit"

# The hog is stopped by its process id on every way out; stress-ng ends its
# workers itself when told to stop.
hog=""
stop_hog() {
  [ -n "$hog" ] || return 0
  kill -TERM "$hog" 2>/dev/null || true
  wait "$hog" 2>/dev/null || true
  hog=""
}
trap stop_hog EXIT
trap 'exit 143' TERM INT HUP
stress-ng --cpu "$(nproc)" --quiet >"$hunt/stress-ng.log" 2>&1 &
hog=$!
sleep 1
kill -0 "$hog" 2>/dev/null || { echo "flake-hunt: stress-ng did not start: $(cat "$hunt/stress-ng.log")" >&2; exit 1; }

for ((round = 1; round <= rounds; round++)); do
  log="$hunt/round-$round.log"
  echo "flake-hunt: round $round of $rounds (${stages[*]:-all stages}) under load; output in $log"
  code=0
  (cd "$hunt/clone" && bash scripts/test-all.sh "${stages[@]}") >"$log" 2>&1 || code=$?
  echo "flake-hunt: round $round ended with $code"
  echo "=== round ended: $code" >>"$log"
done
stop_hog

# One line per failure and round: stage and test. CTest's list names the
# tests; a failed check outside CTest, or a round that broke off, counts as
# a test of its own.
python3 - "$rounds" "$hunt"/round-*.log <<'PY'
import re, sys
rounds, logs = int(sys.argv[1]), sys.argv[2:]
failures = {}
for log in logs:
    stage, in_list, seen = "setup", False, set()
    listed = set()
    for line in open(log, errors="replace"):
        line = line.rstrip("\n")
        m = re.match(r"=== (\w+): ", line)
        if m and not line.startswith("=== FAILED"):
            stage, in_list = m.group(1), False
        if line.startswith("The following tests FAILED:"):
            in_list = True
            continue
        m = re.match(r"\s+\d+ - (\S+) \((.*)\)", line)
        if in_list and m:
            seen.add((m.group(1), stage))
            listed.add(stage)
            continue
        in_list = False
        m = re.match(r"=== FAILED: (\w+): (.*)", line)
        if m and not (m.group(2) == "ctest" and m.group(1) in listed):
            seen.add((m.group(2) if m.group(2) != "ctest" else "ctest (no list)", m.group(1)))
        m = re.match(r"=== round ended: (\d+)", line)
        if m and m.group(1) != "0" and not seen:
            seen.add((f"test command (exit {m.group(1)})", stage))
    for key in seen:
        failures[key] = failures.get(key, 0) + 1
if not failures:
    print(f"flake-hunt: no test failed in {rounds} round(s)")
    sys.exit(0)
width = max(len(name) for name, _ in failures)
print(f"{'test':<{width}}  {'stage':<8}  failed")
for (name, stage), count in sorted(failures.items(), key=lambda kv: (-kv[1], kv[0][1], kv[0][0])):
    print(f"{name:<{width}}  {stage:<8}  {count}/{rounds}")
sys.exit(1)
PY
