// The channel scan of formula texts.
#include "enumerators/framework/ChannelRefs.h"

#include <algorithm>
#include <locale>
#include <sstream>

namespace ExtLib {
namespace {

bool IsDecimalDigit(wchar_t c) noexcept { return c >= L'0' && c <= L'9'; }

// Reads the number at pos; false when it does not fit 32 bits or names no channel.
bool ReadChannelNumber(const std::wstring& s, size_t pos, int32_t* number) {
  std::wistringstream in(s.substr(pos));
  in.imbue(std::locale::classic());
  int32_t value = 0;
  in >> value;
  if (in.fail() || value < 1) return false;
  *number = value;
  return true;
}

}  // namespace

std::vector<ChannelRef> ParseChannelRefs(const std::wstring& s) {
  std::vector<ChannelRef> refs;
  const size_t n = s.size();
  for (size_t i = s.find(L'c'); i != std::wstring::npos; i = s.find(L'c', i + 1)) {
    if (n < 2 || i >= n - 2) break;
    const bool r = i > 0 && s[i - 1] == L'r';
    const bool v = i > 0 && s[i - 1] == L'v';
    if (s[i + 1] != L'h') continue;
    size_t pos = i + 2;
    if (n > 7 && i < n - 7 && s.compare(i + 2, 5, L"annel") == 0) pos = i + 7;
    if (pos >= n || !IsDecimalDigit(s[pos])) continue;
    int32_t number = 0;
    if (!ReadChannelNumber(s, pos, &number)) continue;
    const ChannelRef ref{number - 1, r, v};
    if (std::find(refs.begin(), refs.end(), ref) == refs.end()) refs.push_back(ref);
  }
  return refs;
}

}  // namespace ExtLib
