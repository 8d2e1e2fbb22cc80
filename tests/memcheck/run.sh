#!/usr/bin/env bash
# Runs the memcheck driver twice: natively, for the resident and peak figures without
# valgrind's own weight, then under valgrind's memcheck for leaks and memory errors.
# A definite leak, a memory error or growth between the first and the last cycle fails the run.
# usage: tests/memcheck/run.sh driver [cycles]
# Qt frees its one-time allocations at exit, so no suppression file is needed: any definite
# leak is ours or a library's, and worth a look.
set -euo pipefail

driver="$1"
cycles="${2:-200}"

# No display and no sound server: the player stays silent while the exam's tick opens the signal.
export QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8
export PULSE_SERVER=unix:/nonexistent/eigo-no-sound

echo "== native run, $cycles cycles"
"$driver" "$cycles"

echo "== valgrind memcheck, $cycles cycles"
log="$(mktemp "${TMPDIR:-/tmp}/eigo-memcheck.XXXXXX")"
trap 'rm -f "$log"' EXIT
status=0
valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect,possible \
    --errors-for-leak-kinds=definite --error-exitcode=3 \
    --num-callers=40 --log-file="$log" \
    "$driver" "$cycles" --no-growth-check || status=$?
# The reports and the summary; valgrind's start-up chatter is left out.
grep -v -e '^==[0-9]*== *$' -e 'Copyright' -e 'Using Valgrind' -e 'Command:' "$log" || true
exit "$status"
