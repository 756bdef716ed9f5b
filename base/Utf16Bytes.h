// Text as the bytes of a file: its UTF-16 units, and whether one byte per unit can hold it.
#pragma once

#include <string>

namespace QOR {

// Whether a unit of text lies above U+00FF, beyond one byte per unit.
bool HoldsUnitAbove255(const std::wstring& text) noexcept;
// The text's UTF-16 units, each as its low byte then its high byte (little-endian, no byte order
// mark).
std::string Utf16LeBytes(const std::wstring& text);

}  // namespace QOR
