#!/usr/bin/env bash
# A setting id is no number: module code that hands a settings accessor, a catalogue setting or a
# binding row a bare number does not compile. Each row is a pair compiled as module code is: the
# named form must compile (so the row is sound) and the bare form must not.
# Usage: SettingIdTypeTest.sh COMPILER SOURCE_ROOT [COMPILER_OPTION]...
set -u
compiler=$1
source_root=$2
shift 2
options=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# compiles BODY: whether a function of module code holding BODY compiles. Warnings stay warnings,
# so that only an error refuses a row.
compiles() {
  {
    printf '#include "document/SettingIds.h"\n#include "document/SettingTexts.h"\n'
    printf '#include "document/SettingsStore.h"\n#include "document/ZRSetting_Bool.h"\n'
    printf '#include "settingsdlg/PageBindings.h"\n#include <cstdint>\n#include <vector>\n'
    printf 'using namespace ZR::Doc;\nvoid Use(SettingsStore& store) {\n  (void)store;\n%b\n}\n' "$1"
  } >"$work/row.cpp"
  "$compiler" "${options[@]}" -fsyntax-only -Wno-error -Wno-unused -I "$source_root" "$work/row.cpp" >"$work/said" 2>&1
}

while IFS='|' read -r bare named; do
  if ! compiles "$named"; then
    printf 'FAILED: the named form does not compile: %s\n' "$named"
    cat "$work/said"
    failures=$((failures + 1))
  elif compiles "$bare"; then
    printf 'FAILED: a bare number compiles: %s\n' "$bare"
    failures=$((failures + 1))
  fi
done <<'ROWS'
store.GetDoubleSetting(1006);|store.GetDoubleSetting(kSettingMinPeakHeight);
store.GetDoubleSetting(1006u);|store.GetDoubleSetting(kSettingMinPeakHeight);
store.GetDoubleSetting(1006L);|store.GetDoubleSetting(kSettingMinPeakHeight);
store.GetDoubleSetting(0x3EE);|store.GetDoubleSetting(kSettingMinPeakHeight);
store.FindSetting(\n      1006);|store.FindSetting(\n      kSettingMinPeakHeight);
store.SetLongValue(2008, -1);|store.SetLongValue(kSettingRegionEndTick, -1);
constexpr int32_t kHeight = 1006; store.GetDoubleSetting(kHeight);|constexpr SettingId kHeight = kSettingMinPeakHeight; store.GetDoubleSetting(kHeight);
#define HEIGHT_ID 1006\n store.GetDoubleSetting(HEIGHT_ID);|#define HEIGHT_ID kSettingMinPeakHeight\n store.GetDoubleSetting(HEIGHT_ID);
store.GetDoubleSetting(kSettingMinPeakHeight + 1);|store.GetDoubleSetting(ColumnSwitchId(1));
const SettingId ids[] = {kSettingMinPeakHeight, 1006};|const SettingId ids[] = {kSettingMinPeakHeight, kSettingMinPeakWidthCAP};
std::vector<SettingId> ids; ids.push_back(1006);|std::vector<SettingId> ids; ids.push_back(kSettingMinPeakHeight);
const SettingId id{1006};|const SettingId id{kSettingMinPeakHeight};
const auto id = static_cast<SettingId>(1006);|const auto id = static_cast<SettingId>(kSettingMinPeakHeight);
const bool above = kSettingMinPeakHeight >= 1006;|const bool above = kSettingMinPeakHeight >= kSettingStimulusMethod;
const bool same = kSettingMinPeakHeight == 1006;|const bool same = kSettingMinPeakHeight == kSettingMinPeakWidthCAP;
struct Row { SettingId Id() const { return 1006; } };|struct Row { SettingId Id() const { return kSettingMinPeakHeight; } };
const int32_t number = kSettingMinPeakHeight;|const int32_t number = NumberOf(kSettingMinPeakHeight);
SettingErrorText(1006);|SettingErrorText(kSettingMinPeakHeight);
ZRSetting_Bool filter(1036, 1, 0, true);|ZRSetting_Bool filter(kSettingPeakWidthFilter, 1, 0, true);
constexpr ZR::WrapperRow row = ZR::Edit(1037, 1015, 5, 1068);|constexpr ZR::WrapperRow row = ZR::Edit(1037, kSettingAreaStart, 5, 1068);
ROWS

[ "$failures" -eq 0 ] && echo "no bare number passes for a setting id" && exit 0
exit 1
