#!/usr/bin/env bash
# scripts/test's refusal of tests, benches and scripts that name a path outside the repository: one
# file at a time in a tree of its own, each named in what the check says.
set -u
# shellcheck source=SCRIPTDIR/CheckFixture.sh
source "$(dirname "$0")/CheckFixture.sh"

# check FILE TEXT EXPECTED_STATUS: the check over a tree holding only FILE with TEXT.
check() {
  local said status
  rm -rf "${root:?}"/* && mkdir -p "$root/$(dirname "$1")" && printf '%s\n' "$2" >"$root/$1"
  said=$(ondara_check_outside_paths)
  status=$?
  if [ "$status" != "$3" ] || { [ "$3" = 1 ] && [[ "$said" != *"$1:1:"* ]]; }; then
    printf 'FAILED %s (%s): status %s, said:\n%s\n' "$1" "$2" "$status" "$said"
    failures=$((failures + 1))
  fi
}

# The refused texts are put together here, so that this file does not name them itself.
up=.. drive=Z: work=/wor q='"' shared=share
work=${work}k shared=${shared}d
check tests/host/ReaderTest.cpp "ReadRecordingFile(\"$drive\\\\data\\\\f1.csv\", {});" 1
check tests/data/reference.py "open(\"$work/$shared/data/f1.csv\")" 1
check bench/digests.py "DATA = os.path.join(os.path.dirname(ROOT), ${q}$shared$q, ${q}data$q)" 1
check scripts/run "recording=$up/$shared/data/f1.csv" 1
check data/make_excerpts.py "folder = os.path.join('..', '$shared', ${q}data$q)" 1
check tests/host/ReaderTest.cpp 'ReadRecordingFile(testsupport::RecordingPath("varlength.csv"), {});' 0
check tests/host/ReaderTest.cpp "ReadRecordingFile(\"$drive\\\\dev\\\\zero\", {});" 0
check bench/digests.py 'THRESHOLDS = {"data/ecg_mitbih100_mlii.csv": ["0.0005"]}' 0
check README.md "the converted recordings are kept in $up/$shared/data" 0

expect_unenterable ondara_check_outside_paths

[ "$failures" -eq 0 ] && echo "outside paths: all passed"
exit "$failures"
