#!/usr/bin/env bash
# Runs side by side (scripts/common.sh): a run that ends stops only the Wine server of its own
# prefix, so a program of another run goes on to its end; and a host that printed nothing, or
# stopped inside a line, never leaves a run with status 0.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
base=${WINEPREFIX:?the prefix the test programs run in}
source "$root/scripts/common.sh"
export WINEPREFIX=$base
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The host's status and what it printed, against the run's status.
printf 'Peak\tHeight\r\n1\t0.5\r\n' >"$work/table"
: >"$work/nothing"
printf 'Peak\tHei' >"$work/cut"
for row in "0 table 0" "0 nothing 1" "0 cut 1" "1 table 1" "2 nothing 2"; do
  read -r host printed expected <<<"$row"
  ondara_host_status "$host" "$work/$printed" 2>/dev/null
  got=$?
  [ "$got" -eq "$expected" ] || fail "host status $host having printed $printed gives $got, not $expected"
done

# Run A's program says it is ready and waits for a word; run B starts, runs a program and ends
# (stopping its Wine server) meanwhile; then A's program gets its word and must answer it.
mkfifo "$work/gate" "$work/said"
exec 8<>"$work/gate" 7<>"$work/said"
(
  ondara_use_own_prefix || exit 3
  echo "$WINEPREFIX" >"$work/prefix-a"
  wine cmd /c "echo ready& set /p word=& echo got %word%" <"$work/gate" >"$work/said"
  status=$?
  ondara_stop_display
  exit "$status"
) &
first=$!
read -r -t 60 -u 7 line
[ "${line%$'\r'}" = "ready" ] || fail "run A's program did not start: '$line'"
(
  ondara_use_own_prefix || exit 3
  echo "$WINEPREFIX" >"$work/prefix-b"
  wine cmd /c "echo B" >/dev/null
  ondara_stop_display
) || fail "run B did not run"
echo word >&8
read -r -t 60 -u 7 line
[ "${line%$'\r'}" = "got word" ] || fail "run A's program was ended by run B: '$line'"
wait "$first" || fail "run A ended with status $?"
[ "$(cat "$work/prefix-a")" != "$(cat "$work/prefix-b")" ] || fail "the runs shared a prefix"
for run in a b; do
  [ ! -e "$(cat "$work/prefix-$run")" ] || fail "run ${run^^} left its prefix behind"
done

echo "$failures failed"
[ "$failures" -eq 0 ]
