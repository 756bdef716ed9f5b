// What the framework records for tests to observe (message boxes, announcements, version texts,
// help requests).
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace lumo {

void RecordMessageBox(const wchar_t* text, const wchar_t* caption, uint32_t style);
void RecordAnnouncement(uint32_t eventCode, IUnknown* object);
void RecordVersionText(const wchar_t* text);
// A help topic the host was asked to open (file empty for the frame's own help).
void RecordHelpRequest(const wchar_t* file, const wchar_t* topic);
uint32_t VersionTextCount() noexcept;

}  // namespace lumo
