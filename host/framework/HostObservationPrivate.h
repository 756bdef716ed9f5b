// What the framework records for tests to observe (message boxes, announcements, version texts).
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace lumo {

void RecordMessageBox(const wchar_t* text, const wchar_t* caption, uint32_t style);
void RecordAnnouncement(uint32_t eventCode, IUnknown* object);
void RecordVersionText(const wchar_t* text);
uint32_t VersionTextCount() noexcept;

}  // namespace lumo
