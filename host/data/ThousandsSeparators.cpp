// Numbers written with thousands separators, and their plain form.
#include "host/data/ThousandsSeparators.h"

namespace host {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string WithoutThousandsSeparators(std::string_view text, char decimal, bool lone) {
  const char separator = decimal == ',' ? '.' : ',';
  size_t at = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  std::string plain(text.substr(0, at));
  size_t digits = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) plain += text[at];
  if (digits == 0 || digits > 3) return std::string();
  int groups = 0;
  for (; at < text.size() && text[at] == separator; ++groups) {
    for (digits = 0, ++at; at < text.size() && IsDigit(text[at]); ++at, ++digits) plain += text[at];
    if (digits != 3) return std::string();
  }
  const bool fraction = at < text.size() && text[at] == decimal;
  if (groups == 0 || (groups == 1 && !fraction && separator == ',' && !lone)) return std::string();
  if (fraction) plain += text[at++];
  for (; fraction && at < text.size() && IsDigit(text[at]); ++at) plain += text[at];
  return at == text.size() ? plain : std::string();
}

}  // namespace host
