// Text for messages: UTF-8 and UTF-16 conversions and quoting of input.
#include "host/common/MessageText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace host {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kInvalid = 0xFFFFFFFF;  // a position that holds no character

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void AppendUtf16(char32_t c, std::wstring* out) {
  if (c < 0x10000) {
    out->push_back(static_cast<wchar_t>(c));
    return;
  }
  c -= 0x10000;
  out->push_back(static_cast<wchar_t>(0xD800 | (c >> 10)));
  out->push_back(static_cast<wchar_t>(0xDC00 | (c & 0x3FF)));
}

// The character at *i (advancing past it), or kInvalid for a byte that starts no valid
// sequence (advancing one byte). Overlong forms and surrogates are not valid.
char32_t DecodeUtf8(std::string_view s, size_t* i) {
  const unsigned char lead = static_cast<unsigned char>(s[*i]);
  if (lead < 0x80) {
    ++*i;
    return lead;
  }
  size_t length = 0;
  char32_t c = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) length = 2, c = lead & 0x1F, least = 0x80;
  else if ((lead & 0xF0) == 0xE0) length = 3, c = lead & 0x0F, least = 0x800;
  else if ((lead & 0xF8) == 0xF0) length = 4, c = lead & 0x07, least = 0x10000;
  if (length == 0 || *i + length > s.size()) {
    ++*i;
    return kInvalid;
  }
  for (size_t k = 1; k < length; ++k) {
    const unsigned char b = static_cast<unsigned char>(s[*i + k]);
    if ((b & 0xC0) != 0x80) {
      ++*i;
      return kInvalid;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++*i;
    return kInvalid;
  }
  *i += length;
  return c;
}

// The character at *i of UTF-16 text, or the unpaired surrogate itself (marked by the caller).
char32_t DecodeUtf16(std::wstring_view s, size_t* i, bool* unpaired) {
  const char32_t c = static_cast<uint16_t>(s[(*i)++]);
  *unpaired = false;
  if (c >= 0xD800 && c <= 0xDBFF && *i < s.size()) {
    const char32_t low = static_cast<uint16_t>(s[*i]);
    if (low >= 0xDC00 && low <= 0xDFFF) {
      ++*i;
      return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  *unpaired = c >= 0xD800 && c <= 0xDFFF;
  return c;
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

void AppendEscape(const char* format, unsigned value, std::string* out) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  *out += text;
}

// Quotes characters one by one as next() hands them out; next() answers false at the end.
template <typename Next>
std::string Quote(Next next) {
  std::string out = "'";
  size_t shown = 0;
  char32_t c = 0;
  bool raw = false;  // c is a raw byte or surrogate, not a character
  while (next(&c, &raw)) {
    if (shown == kQuotedCharacters) {
      size_t length = shown + 1;
      while (next(&c, &raw)) ++length;
      return out + "...' (" + std::to_string(length) + " characters)";
    }
    ++shown;
    if (raw) AppendEscape(c < 0x100 ? "\\x%02X" : "\\u%04X", static_cast<unsigned>(c), &out);
    else if (IsControl(c)) AppendEscape("\\x%02X", static_cast<unsigned>(c), &out);
    else if (IsInvisibleCharacter(c)) AppendEscape("\\u%04X", static_cast<unsigned>(c), &out);
    else AppendUtf8(c, &out);
  }
  return out + "'";
}

}  // namespace

bool IsInvisibleCharacter(char32_t c) {
  return c == 0xA0 || c == 0xAD || c == 0x180E || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
         (c >= 0x205F && c <= 0x206F) || c == 0x3000 || c == 0xFEFF;
}

std::string Utf8FromWide(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    bool unpaired = false;
    const char32_t c = DecodeUtf16(text, &i, &unpaired);
    AppendUtf8(unpaired ? kReplacement : c, &out);
  }
  return out;
}

std::wstring WideFromUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const char32_t c = DecodeUtf8(text, &i);
    AppendUtf16(c == kInvalid ? kReplacement : c, &out);
  }
  return out;
}

std::string QuoteInput(std::string_view utf8) {
  size_t i = 0;
  return Quote([&](char32_t* c, bool* raw) {
    if (i >= utf8.size()) return false;
    const size_t at = i;
    *c = DecodeUtf8(utf8, &i);
    *raw = *c == kInvalid;
    if (*raw) *c = static_cast<unsigned char>(utf8[at]);
    return true;
  });
}

std::string QuoteInput(std::wstring_view text) {
  size_t i = 0;
  return Quote([&](char32_t* c, bool* raw) {
    if (i >= text.size()) return false;
    *c = DecodeUtf16(text, &i, raw);
    return true;
  });
}

void PrintMessageLine(std::string_view utf8) {
  std::string line(utf8);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

std::string NumberText(double value, int figures) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", figures, value);
  return text;
}

int ExactFigures(double value) {
  if (!std::isfinite(value)) return 6;
  for (int figures = 6; figures < 17; ++figures)
    if (std::strtod(NumberText(value, figures).c_str(), nullptr) == value) return figures;
  return 17;  // always enough for a double
}

std::string ExactNumberText(double value) { return NumberText(value, ExactFigures(value)); }

std::string HexCode(unsigned long code) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08lX", code);
  return text;
}

}  // namespace host
