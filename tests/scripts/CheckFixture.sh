# Shared by the tests of scripts/common.sh's checks, sourced first: an empty tree in $root
# (removed at exit) for a test to fill, the checks themselves, and a count of failed rows.
# shellcheck shell=bash
here=$(cd "$(dirname "${BASH_SOURCE[1]}")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# shellcheck source=SCRIPTDIR/../../scripts/common.sh
source "$here/../../scripts/common.sh"
failures=0

# expect_said CHECK NAME EXPECTED_STATUS EXPECTED_OUTPUT: the check function CHECK over $root must
# end with EXPECTED_STATUS and say exactly EXPECTED_OUTPUT.
expect_said() {
  local said status
  said=$("$1" 2>&1)
  status=$?
  if [ "$status" != "$3" ] || [ "$said" != "$4" ]; then
    printf 'FAILED %s: status %s, said:\n%s\nexpected status %s, saying:\n%s\n' "$2" "$status" "$said" "$3" "$4"
    failures=$((failures + 1))
  fi
}

# expect_unenterable CHECK: the check function CHECK, given a repository folder that cannot be
# entered, must fail saying so rather than find nothing.
expect_unenterable() {
  local tree=$root
  root=$tree/missing
  expect_said "$1" "$1 in a folder that cannot be entered" 1 "the repository folder cannot be entered: $root"
  root=$tree
}
