// QOR::OStringStream: a wide output stream that writes into a QOR::String.
#pragma once

#include "base/String.h"
#include "base/StringStreamBuf.h"

#include <locale>
#include <ostream>

namespace QOR {

// Formats with the process's global locale.
class OStringStream : public std::basic_ostream<wchar_t> {
 public:
  // The buffer is a member, built after the stream base: attach it once it exists.
  OStringStream() : std::basic_ostream<wchar_t>(nullptr) { init(&mBuffer); }
  OStringStream(const OStringStream&) = delete;
  OStringStream& operator=(const OStringStream&) = delete;
  // The text written so far; the stream may go on writing.
  String str() { return mBuffer.str(); }

 private:
  StringStreamBuf mBuffer;
};

namespace Automation {

// For machine-readable text: always the classic "C" locale, whatever the user's settings.
class ClassicOStringStream : public OStringStream {
 public:
  ClassicOStringStream() { imbue(std::locale::classic()); }
};

}  // namespace Automation

// Writes the text of a string.
inline std::basic_ostream<wchar_t>& operator<<(std::basic_ostream<wchar_t>& out,
                                               const String& text) {
  return out.write(text.GetText(), text.Length());
}

}  // namespace QOR
