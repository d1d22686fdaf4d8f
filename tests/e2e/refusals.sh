#!/usr/bin/env bash
# Command lines the saver refuses end with -1 (255 as Wine's exit status)
# before any window or dialog appears: an unknown letter, a preview without a
# window, a preview into something that is not a window, and the password
# change outside the older Windows family.
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup refusals "$1" "$2"

for args in "/x" "/p" "/p abc" "/l 2" "-a"; do
  # Word splitting is wanted: each case is a small command line.
  # shellcheck disable=SC2086
  e2e_start Tessel.scr $args
  e2e_wait_exit "$E2E_LAST_PID" 30; code=$E2E_EXIT
  [ "$code" = "255" ] || e2e_fail "'$args' ended with '$code'"
  [ "$(e2e_saver_count)" = "0" ] || e2e_fail "'$args' left a saver window"
done
[ ! -e "$E2E_WORK/Tessel.dat" ] || e2e_fail "a refused start wrote Tessel.dat"
echo "PASS: refused command lines end with -1"
