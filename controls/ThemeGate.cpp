// The theme gates over the cached system version, which tests may replace.
#include "controls/ThemeGate.h"

#include "platform/uihelpers/SystemInfo.h"
#include "platform/uihelpers/UxThemeDLL.h"

namespace {

bool gVersionSet = false;
OSVERSIONINFOW gVersion{};

const OSVERSIONINFOW& GateVersion() noexcept {
  return gVersionSet ? gVersion : QOR::GetSystemInfoCached().version;
}

}  // namespace

bool ThemesAllowedOn(const OSVERSIONINFOW& version) noexcept {
  if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
  return version.dwMajorVersion >= 6 || (version.dwMajorVersion == 5 && version.dwMinorVersion == 1);
}

bool ThemesAvailable() noexcept {
  return ThemesAllowedOn(GateVersion()) && QORLinkingUtils::UxThemeDLL::IsAppThemed();
}

bool Version6ThemesAvailable() noexcept { return ThemesAvailable() && GateVersion().dwMajorVersion >= 6; }

void SetThemeGateVersion(const OSVERSIONINFOW* version) noexcept {
  gVersionSet = version != nullptr;
  if (version) gVersion = *version;
}
