#!/usr/bin/env bash
# Runs a test program on a display of its own whose screen has the given size, in the Wine prefix
# WINEPREFIX names (kept for that screen alone: a prefix's desktop keeps the screen it started
# on), and ends with the program's status.
#   OnScreenOfSize.sh 1366x768 wine views_tests.exe --gtest_filter=...
set -u
size=$1
shift
numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
display_pid=$!
for _ in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.1; done
n=$(head -n 1 "$numfile")
rm -f "$numfile"
[ -n "$n" ] || { echo "Xvfb did not start"; kill "$display_pid" 2>/dev/null; exit 1; }
DISPLAY=":$n" "$@"
status=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
kill "$display_pid" 2>/dev/null
exit "$status"
