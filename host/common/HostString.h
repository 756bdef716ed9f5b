// The host's own string objects, handed to modules through the QOR string interface.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/QORString.h"

#include <string>

namespace host {

// A new string holding text, with one reference for the caller.
HostPtr<QOR::IQORString> MakeHostString(const std::wstring& text);

// The text of any string object, read through its length and a copy; empty for null or on failure.
std::wstring StringText(QOR::IQORString* text) noexcept;

}  // namespace host
