#!/usr/bin/env bash
# scripts/common.sh's check that module code makes setting ids from numbers only where a stored
# stream or a host call carries them: quiet there, in comments and in the stand-in host, naming the
# line of any other SettingIdOf in a library.
set -u
# shellcheck source=SCRIPTDIR/CheckFixture.sh
source "$(dirname "$0")/CheckFixture.sh"

# check NAME EXPECTED_STATUS EXPECTED_OUTPUT
check() { expect_said ondara_check_setting_ids "$@"; }
said="setting ids made from numbers away from the stored stream and the host's calls (name them in document/SettingIds.h):"

mkdir -p "$root/document" "$root/host" "$root/module" "$root/views"
printf 'ondara_module_library(document)\nondara_module_library(views document)\n' >"$root/CMakeLists.txt"
printf 'inline constexpr SettingId kSettingMinPeakHeight = SettingIdOf(1006);\n' >"$root/document/SettingIds.h"
printf 'RecordText record{SettingIdOf(ReadWord(in)), QOR::String()};\n' >"$root/document/SettingsStoreStream.cpp"
printf 'const SettingId id = SettingIdOf(number);\n' >"$root/document/ZRDoc.cpp"
printf 'store.FindSetting(SettingIdOf(2001));\n' >"$root/host/B.cpp"
printf '  // SettingIdOf(1006) would name the height.\nlong a = store.GetLongValue(kSettingRegionEndTick);\n' \
  >"$root/views/A.cpp"
check "the stream, the host's calls, comments and the stand-in host" 0 ""

# One line of module code per form, each refused on its own, a call wrapped over lines included.
while IFS= read -r line; do
  printf '%s\n' "$line" >"$root/views/F.cpp"
  check "refused: $line" 1 "$said
views/F.cpp:1:$line"
done <<'FORMS'
const double h = store.GetDoubleSetting(SettingIdOf(1006))->Get();
constexpr ZR::Doc::SettingId kHeight = ZR::Doc::SettingIdOf(
if (id == Doc::SettingIdOf(2009)) Switch();
FORMS
printf 'on = store.GetBoolSetting(SettingIdOf(2010));\n' >"$root/module/C.cpp"
printf 'id = SettingIdOf(1);\n' >"$root/document/Other.cpp"
check "other files of the document folder and the module's entry" 1 "$said
document/Other.cpp:1:id = SettingIdOf(1);
views/F.cpp:1:if (id == Doc::SettingIdOf(2009)) Switch();
module/C.cpp:1:on = store.GetBoolSetting(SettingIdOf(2010));"

expect_unenterable ondara_check_setting_ids

[ "$failures" -eq 0 ] && echo "the setting id check says what it should" && exit 0
exit 1
