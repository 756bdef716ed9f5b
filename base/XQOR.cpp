// XQOR: message texts of the module's own codes and of system codes.
#include "base/XQOR.h"

#include <iterator>

namespace {

constexpr HRESULT kStorageInvalidName = static_cast<HRESULT>(0x80030105u);
constexpr HRESULT kNoTextA = static_cast<HRESULT>(0xA004820Fu);
constexpr HRESULT kNoTextB = static_cast<HRESULT>(0xA0048210u);
constexpr HRESULT kNoTextC = static_cast<HRESULT>(0xA0048211u);

// String ids in the host executable's string table, by k = code - 0xA0048200; 0: no text.
constexpr uint16_t kOwnCodeStringIds[kXQOROwnCodeCount] = {
    57345, 57346, 57347, 57348, 57349, 57349, 57352, 57350, 57351, 57354, 0, 0, 0,
    0,     0,     0,     0,     0,     57358, 0,     0,     0,     0,     0,     0, 0};

// The system's text for code, or "" when it has none. The text loses its
// trailing line end and always ends with '.'.
QOR::String SystemMessage(HRESULT code) {
  DWORD messageId = static_cast<DWORD>(code);
  if (HRESULT_FACILITY(code) == FACILITY_WIN32) messageId &= 0xFFFFu;
  wchar_t buffer[512];
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     messageId, LANG_USER_DEFAULT, buffer, 510, nullptr);
  if (length == 0) return QOR::String();
  DWORD end = length < 510 ? length : 509;
  buffer[end] = L'\0';
  if (end > 1) {
    while (end > 0 && (buffer[end - 1] == L'\n' || buffer[end - 1] == L'\r')) --end;
    if (end == 0) return QOR::String();
    if (buffer[end - 1] != L'.') buffer[end++] = L'.';
    buffer[end] = L'\0';
  }
  return QOR::String(buffer);
}

}  // namespace

QOR::String XQOR::LookupMessage(HRESULT code) noexcept {
  try {
    return LookupMessageText(code);
  } catch (...) {
    // Out of memory while building the text: the message stays empty.
    return QOR::String();
  }
}

QOR::String XQOR::LookupMessageText(HRESULT code) {
  if (code == kStorageInvalidName) code = XQOROwnCode(5);
  const uint32_t bits = static_cast<uint32_t>(code);
  const uint32_t facility = static_cast<uint32_t>(code >> 16) & 0x1FFFu;
  if (facility != 4 || (bits & 0x20008200u) == 0) return SystemMessage(code);
  if (code == kNoTextA || code == kNoTextB || code == kNoTextC) return QOR::String();
  if ((bits & 0x1FFF0000u) != 0x40000u) return QOR::String();
  const int k = static_cast<int>(bits & 0xFFFFu) - 0x8200;
  if (k < 0 || k >= kXQOROwnCodeCount || kOwnCodeStringIds[k] == 0) return QOR::String();
  // The texts belong to the host application, whatever module hosts this code.
  return QOR::String(nullptr, kOwnCodeStringIds[k], true);
}

XQOR::XQOR(HRESULT code) : mCode(code), mMessage(LookupMessage(code)) {}

XQOR::XQOR(const QOR::String& message, HRESULT code) : mCode(code), mMessage(message) {
  if (code == 0 || code == kNoTextB || code == kNoTextC) return;
  mMessage.Append(L'\n');
  mMessage.Append(LookupMessage(code));
}

const char* XQOR::what() const noexcept {
  try {
    return mMessage.GetNarrowText();
  } catch (...) {
    return "";
  }
}
