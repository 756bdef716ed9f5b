// The theme gates: whether controls draw with visual styles. Themes are used on NT from
// version 5.1 on, except 5.2, and only while the application is themed.
#pragma once

#include <windows.h>

// The version part of the gate: platform NT and a major version of 6 or more, or exactly 5.1.
bool ThemesAllowedOn(const OSVERSIONINFOW& version) noexcept;
// The version allows themes and the application is themed.
bool ThemesAvailable() noexcept;
// ThemesAvailable and a major version of 6 or more.
bool Version6ThemesAvailable() noexcept;
// The version record the gates read from now on (copied); null goes back to the system's.
// Lets tests run the classic and the themed paths on one system.
void SetThemeGateVersion(const OSVERSIONINFOW* version) noexcept;
