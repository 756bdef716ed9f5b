// What the framework records for tests: the message boxes it was asked to show, announcements,
// version texts and help requests.
#include "host/framework/HostObservationPrivate.h"

#include "host/framework/ClassRegistry.h"
#include "host/framework/TypeRegistry.h"

#include <cwchar>
#include <utility>
#include <vector>

namespace lumo {

namespace {

struct MessageBoxRecord {
  std::wstring text;
  std::wstring caption;
  uint32_t style;
};

struct AnnouncementRecord {
  uint32_t eventCode;
  IUnknown* object;  // only compared, never called
};

// UI thread only; no lock.
std::vector<MessageBoxRecord>& MessageBoxes() {
  static std::vector<MessageBoxRecord> records;
  return records;
}
std::vector<AnnouncementRecord>& Announcements() {
  static std::vector<AnnouncementRecord> records;
  return records;
}
std::vector<std::wstring>& VersionTexts() {
  static std::vector<std::wstring> records;
  return records;
}
// Each request as its file and topic.
std::vector<std::pair<std::wstring, std::wstring>>& HelpRequests() {
  static std::vector<std::pair<std::wstring, std::wstring>> records;
  return records;
}

// Copies text into buffer (units including the terminator), cutting it to fit.
void CopyOut(const std::wstring& text, wchar_t* buffer, uint32_t units) {
  if (!buffer || units == 0) return;
  const size_t count = text.size() < units - 1 ? text.size() : units - 1;
  wmemcpy(buffer, text.data(), count);
  buffer[count] = L'\0';
}

}  // namespace

void RecordMessageBox(const wchar_t* text, const wchar_t* caption, uint32_t style) {
  MessageBoxes().push_back(MessageBoxRecord{text, caption, style});
}

void RecordAnnouncement(uint32_t eventCode, IUnknown* object) {
  Announcements().push_back(AnnouncementRecord{eventCode, object});
}

void RecordVersionText(const wchar_t* text) { VersionTexts().push_back(text); }

void RecordHelpRequest(const wchar_t* file, const wchar_t* topic) { HelpRequests().emplace_back(file, topic); }

uint32_t VersionTextCount() noexcept { return static_cast<uint32_t>(VersionTexts().size()); }

}  // namespace lumo

extern "C" {

uint32_t __stdcall LumoObservedMessageBoxCount() noexcept {
  return static_cast<uint32_t>(lumo::MessageBoxes().size());
}

BOOL __stdcall LumoObservedMessageBox(uint32_t index, wchar_t* text, uint32_t textUnits,
                                      wchar_t* caption, uint32_t captionUnits,
                                      uint32_t* style) noexcept {
  if (index >= lumo::MessageBoxes().size()) return FALSE;
  const lumo::MessageBoxRecord& record = lumo::MessageBoxes()[index];
  lumo::CopyOut(record.text, text, textUnits);
  lumo::CopyOut(record.caption, caption, captionUnits);
  if (style) *style = record.style;
  return TRUE;
}

uint32_t __stdcall LumoObservedAnnouncementCount(uint32_t eventCode, IUnknown* object) noexcept {
  uint32_t count = 0;
  for (const lumo::AnnouncementRecord& record : lumo::Announcements()) {
    if (record.eventCode == eventCode && (!object || record.object == object)) ++count;
  }
  return count;
}

BOOL __stdcall LumoObservedVersionText(uint32_t index, wchar_t* text, uint32_t units) noexcept {
  if (index >= lumo::VersionTexts().size()) return FALSE;
  lumo::CopyOut(lumo::VersionTexts()[index], text, units);
  return TRUE;
}

BOOL __stdcall LumoObservedHelpRequest(uint32_t index, wchar_t* file, uint32_t fileUnits, wchar_t* topic,
                                       uint32_t topicUnits) noexcept {
  if (index >= lumo::HelpRequests().size()) return FALSE;
  lumo::CopyOut(lumo::HelpRequests()[index].first, file, fileUnits);
  lumo::CopyOut(lumo::HelpRequests()[index].second, topic, topicUnits);
  return TRUE;
}

uint32_t __stdcall LumoObservedGuidRequests(const GUID* guid) noexcept {
  return guid ? lumo::GuidRequestCount(*guid) : 0;
}

BOOL __stdcall LumoObservedEnumClass(const wchar_t* name, uint32_t* typeId) noexcept {
  if (!name || !typeId) return FALSE;
  ILumoClassObject* const found = lumo::FindCalcEnumClass(name);
  return found && SUCCEEDED(found->GetTypeId(typeId));
}

void __stdcall LumoClearObservations() noexcept {
  lumo::MessageBoxes().clear();
  lumo::Announcements().clear();
  lumo::HelpRequests().clear();
}

}  // extern "C"
