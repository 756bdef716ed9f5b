// HostString: the framework's own IQORString, for texts it hands to modules.
#pragma once

#include "hostapi/QORString.h"

#include <string>

namespace lumo {

// A new string object holding text, with one reference for the receiver; null
// when memory is short.
QOR::IQORString* NewHostString(const std::wstring& text) noexcept;

// The text of any IQORString (through its BSTR); "" for null or on failure.
std::wstring ReadString(QOR::IQORString* text) noexcept;

}  // namespace lumo
