#!/usr/bin/env bash
# The simulator's result must reach its reader: a full disk or a closed standard output
# is reported on standard error with a failing exit status, never taken for success.
# Usage: sim_output.sh PATH/TO/bramidou-sim
set -uo pipefail

SIM=$1
WORK=$(mktemp -d /tmp/bramidou-sim-output.XXXXXX)
trap 'rm -rf "$WORK"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# case NAME: runs one game with standard output sent the way NAME says.
run_case() {
    local status
    case $1 in
    file) "$SIM" --games 1 --seed 1 >"$WORK/out" 2>"$WORK/err" ;;
    full) "$SIM" --games 1 --seed 1 >/dev/full 2>"$WORK/err" ;;
    closed) "$SIM" --games 1 --seed 1 >&- 2>"$WORK/err" ;;
    esac
    status=$?
    echo "$1: exit $status, stderr: $(cat "$WORK/err")"
    STATUS=$status
}

run_case file
[ "$STATUS" = 0 ] || fail "a result written to a file is a success"
grep -q '^{"games":1,' "$WORK/out" || fail "the result line is missing"
[ ! -s "$WORK/err" ] || fail "nothing on standard error when all went well"

for where in full closed; do
    run_case $where
    [ "$STATUS" != 0 ] || fail "output to $where reported success"
    grep -q 'bramidou-sim: the result could not be written' "$WORK/err" ||
        fail "no message for output to $where"
done
echo PASS
