// XQOR: the module's one exception type, an HRESULT-style code with a message text.
#pragma once

#include "base/String.h"

#include <windows.h>

#include <cstdint>
#include <exception>

// The module's own codes: 0xA0048200 + k, k from 0 to 25 (FACILITY_ITF with the
// customer bit). Their texts are strings of the host executable's string table.
inline constexpr HRESULT kXQORCodeBase = static_cast<HRESULT>(0xA0048200u);
inline constexpr int kXQOROwnCodeCount = 26;
constexpr HRESULT XQOROwnCode(int k) noexcept { return static_cast<HRESULT>(0xA0048200u + k); }
// Thrown by the binary storage streams for a corrupt string.
inline constexpr HRESULT kXQORCorruptString = static_cast<HRESULT>(0xA0048203u);
// Something of a form this version does not take: a stored record of a later version, a drag-scale
// object of more entries than a pane handles.
inline constexpr HRESULT kXQORUnsupportedForm = static_cast<HRESULT>(0xA0048205u);

class XQOR : public std::exception {
 public:
  // The message is the looked-up text of code.
  explicit XQOR(HRESULT code);
  // The message is message; unless code is 0, 0xA0048210 or 0xA0048211 a line
  // feed and the looked-up text of code follow.
  XQOR(const QOR::String& message, HRESULT code);
  // Copies share the message.
  XQOR(const XQOR& other) noexcept = default;
  XQOR& operator=(const XQOR& other) noexcept = default;
  ~XQOR() override = default;

  // The message in the thread's ANSI code page, cached with the message's text.
  const char* what() const noexcept override;
  virtual QOR::String GetMessage() const { return mMessage; }

  HRESULT code() const noexcept { return mCode; }

  // The text of code: own codes from the host executable's string table (with
  // the product words), other codes from the system (FACILITY_WIN32 codes by
  // their low word); empty when there is none. Never throws for a missing text.
  static QOR::String LookupMessage(HRESULT code) noexcept;

 private:
  static QOR::String LookupMessageText(HRESULT code);

  HRESULT mCode;
  QOR::String mMessage;
};

// Throws XQOR(hr) when hr is a failure.
inline void ThrowIfFailed(HRESULT hr) {
  if (FAILED(hr)) throw XQOR(hr);
}
