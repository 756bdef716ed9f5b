#!/usr/bin/env bash
# scripts/common.sh's check that module code passes no setting id as a bare number: quiet over
# names and over the stand-in host's own numbers, naming the line of a bare id in a library.
set -u
# shellcheck source=SCRIPTDIR/CheckFixture.sh
source "$(dirname "$0")/CheckFixture.sh"

# check NAME EXPECTED_STATUS EXPECTED_OUTPUT
check() { expect_said ondara_check_setting_ids "$@"; }

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
