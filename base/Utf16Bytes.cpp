// Text as the bytes of a file.
#include "base/Utf16Bytes.h"

#include <algorithm>

namespace QOR {

bool HoldsUnitAbove255(const std::wstring& text) noexcept {
  return std::any_of(text.begin(), text.end(), [](wchar_t unit) { return static_cast<unsigned>(unit) > 0xFF; });
}

std::string Utf16LeBytes(const std::wstring& text) {
  std::string bytes;
  bytes.reserve(2 * text.size());
  for (const wchar_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>((unit >> 8) & 0xFF);
  }
  return bytes;
}

}  // namespace QOR
