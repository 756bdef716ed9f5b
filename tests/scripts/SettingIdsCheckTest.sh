#!/usr/bin/env bash
# scripts/common.sh's check that module code passes no setting id as a bare number: quiet over
# names and over the stand-in host's own numbers, naming the line of a bare id in a library.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# shellcheck source=SCRIPTDIR/../../scripts/common.sh
source "$here/../../scripts/common.sh"
failures=0

# check NAME EXPECTED_STATUS EXPECTED_OUTPUT
check() {
  local said status
  said=$(ondara_check_setting_ids 2>&1)
  status=$?
  if [ "$status" != "$2" ] || [ "$said" != "$3" ]; then
    printf 'FAILED %s: status %s, said:\n%s\nexpected status %s, saying:\n%s\n' "$1" "$status" "$said" "$2" "$3"
    failures=$((failures + 1))
  fi
}

mkdir -p "$root/document" "$root/host" "$root/module"
printf 'ondara_module_library(document)\n' >"$root/CMakeLists.txt"
printf 'long a = store.GetLongValue(kSettingRegionEndTick);\nSleep(1000);\n' >"$root/document/A.cpp"
printf 'script->GetSettingText(2001, text.Out());\n' >"$root/host/B.cpp"
check "names, and the host's own numbers" 0 ""

printf 'on = store.GetBoolSetting( 2010 );\n' >"$root/module/C.cpp"
printf 'doc->SetSettingText(1036, L"f");\n' >>"$root/document/A.cpp"
check "bare ids in module code" 1 "setting ids passed as bare numbers (name them in document/SettingIds.h):
document/A.cpp:3:doc->SetSettingText(1036, L\"f\");
module/C.cpp:1:on = store.GetBoolSetting( 2010 );"

[ "$failures" -eq 0 ] && echo "the setting id check says what it should" && exit 0
exit 1
