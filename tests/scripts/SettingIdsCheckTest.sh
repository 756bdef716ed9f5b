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

rm "$root/module/C.cpp"
printf 'long a = store.GetLongValue(kSettingRegionEndTick);\n' >"$root/document/A.cpp"
# One line of module code per form a bare id takes, each refused on its own.
while IFS= read -r line; do
  printf '%s\n' "$line" >"$root/document/F.cpp"
  check "refused: $line" 1 "setting ids passed as bare numbers (name them in document/SettingIds.h):
document/F.cpp:1:$line"
done <<'FORMS'
const std::wstring h = Number(Value(1006));
const std::wstring w = Number(Value(type == 5 ? 1035 : 1001));
if (!Flag(1036)) return;
Fill(*this, {n(1013), n(Doc::kSettingTauStart)});
double d = store.GetDoubleValue (1006);
if (id == 2009) Switch();
if (2001 != id) return;
for (const int32_t setting : {2023, 2024, 2025})
Pair(LessThan, Edit(kAreaStartEdit, 1015, 5, 1068), Edit(kAreaEndEdit, 1016, 5, 1069)),
Single(EnumBtn(IDC_BASELINE_AUTO, 1039, 0)),
list.AddCtrl(new tEdit(store, page, IDC_DET_FROM, 1007, 5, IDC_DET_FROM_ERROR));
const int32_t heightId = er ? 1002 : 1028;
FORMS
# Numbers of other kinds in the same places stay quiet.
while IFS= read -r line; do
  printf '%s\n' "$line" >"$root/document/F.cpp"
  check "quiet: $line" 0 ""
done <<'QUIET'
Fill(*this, {1000.0, 5.0, n(Doc::kSettingDetectionStart)});
constexpr double kRatios[] = {0.5, 1, 2, 5, 1000, 2000};
Single(Edit(IDC_CALC_VALUE, Doc::kSettingValueLocation, 8, 1072)),
return n < 3 ? 3 : n > 1000 ? 1000 : n;
  // Value(1006) is the minimum peak height.
QUIET

expect_unenterable ondara_check_setting_ids

[ "$failures" -eq 0 ] && echo "the setting id check says what it should" && exit 0
exit 1
