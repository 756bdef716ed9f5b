#!/usr/bin/env bash
# What scripts/run refuses before it builds anything: each refusal is one line naming the option or
# the file and why, with status 2. The run is a copy whose setup step stops it, so a refusal that
# is missed shows as that stop and never starts a build.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/scripts" "$root/folder" "$root/host/app"
cp "$here/../../scripts/run" "$here/../../scripts/common.sh" "$root/scripts/"
cp "$here/../../host/app/AnalyzeArguments.cpp" "$root/host/app/"
printf '#!/bin/sh\necho "the run went on to the build" >&2\nexit 9\n' >"$root/scripts/setup"
chmod +x "$root/scripts/setup"
touch "$root/steps.csv"
failures=0

# check EXPECTED_LINE ARGUMENTS...: runs scripts/run without a display in the copy's folder.
check() {
  local expected=$1 said status
  shift
  said=$(cd "$root" && env -u DISPLAY scripts/run "$@" 2>&1 >/dev/null)
  status=$?
  if [ "$status" != 2 ] || [ "$said" != "$expected" ]; then
    printf 'FAILED scripts/run %s: status %s, said:\n%s\nexpected status 2, saying:\n%s\n' "$*" "$status" "$said" \
      "$expected"
    failures=$((failures + 1))
  fi
}

check "scripts/run: --keep-open needs a display you see (DISPLAY is not set)" steps.csv --show table --keep-open
check "scripts/run: --calc-dialog needs a display you see (DISPLAY is not set)" steps.csv --calc-dialog
check "scripts/run: --settings-dialog needs a display you see (DISPLAY is not set)" steps.csv --settings-dialog
check "scripts/run: --settings - needs a display you see (DISPLAY is not set)" steps.csv --settings -
check "scripts/run: cannot read missing.csv: no such file" missing.csv --type 5
check "scripts/run: cannot read folder: it is a folder" folder
check "scripts/run: cannot read none.txt: no such file" steps.csv --settings none.txt
check "scripts/run: cannot read missing.csv: no such file" --type 5 --keep-open --set 1006=1 missing.csv
check "scripts/run: cannot read missing.csv: no such file" --table missing.csv --show table

# The host writes files and makes picture folders only in folders that exist, refusing others
# before it analyses: no folder is made for it first.
(cd "$root" && env -u DISPLAY scripts/run steps.csv --show table --copy made/x.png --screenshot shots/a >/dev/null 2>&1)
if [ -e "$root/made" ] || [ -e "$root/shots" ]; then
  echo "FAILED scripts/run made a folder for what the host writes"
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "scripts/run refuses what it should" && exit 0
exit 1
