// QOR::OFormatStream: a wide output stream that fills the numbered placeholders of a format.
#pragma once

#include "base/OStringStream.h"
#include "base/String.h"
#include "base/StringStreamBuf.h"

#include <cstdint>
#include <ostream>
#include <vector>

namespace QOR {

// The format carries placeholders '%' 1 to 20 ("%1"); a '\' right after the number ends it
// and is dropped. Each value inserted with << is one argument, taken in order of number, not
// of position: the first fills %1, the second %2. When the argument for the highest number has
// arrived the filled text is written to the stream's buffer; until then nothing is. A number
// twice fills only its later occurrence. Other '%' texts ("%0", "%21", "%-1") are literal.
// When the format has placeholders, a literal piece between them that holds "%%" takes every
// '%' in it as an escape of the unit after it ("%%" gives '%', "%0" gives "0"); a piece
// without "%%" is written as it stands. A format without placeholders is written unchanged,
// "%%" included.
class OFormatStream : public std::basic_ostream<wchar_t> {
 public:
  OFormatStream(std::basic_streambuf<wchar_t>* out, const String& format);
  OFormatStream(const OFormatStream&) = delete;
  OFormatStream& operator=(const OFormatStream&) = delete;
  ~OFormatStream() override;

  // The stream the values are formatted into (the global locale unless imbued otherwise).
  std::basic_ostream<wchar_t>& Arguments() noexcept { return mArguments; }
  // Records the value just formatted as the next argument; writes the output after the last.
  void PutArgument();

 private:
  static constexpr int kMaxPlaceholder = 20;

  // One placeholder occurrence in text order.
  struct Segment {
    uint32_t percent;   // position of the '%'
    uint32_t resume;    // position after the number (and its '\')
    int number;         // placeholder number
    bool doubled;       // the literal piece before it holds "%%"
  };
  struct Argument {
    uint32_t start = 0;
    uint32_t length = 0;
  };

  void Parse();
  void WriteLiteral(uint32_t from, uint32_t to, bool doubled);
  void WriteOutput();

  String mFormat;
  // Every argument's text, one after the other, in storage that grows as needed.
  OStringStream mArguments;
  std::vector<Segment> mSegments;
  // The segment that receives each number, -1 for none.
  int mTarget[kMaxPlaceholder + 1];
  std::vector<Argument> mReceived;
  int mHighest = 0;
  uint32_t mPrevious = 0;
  bool mTailDoubled = false;
};

// Formats value into the arguments and takes it as the next argument.
template <typename T>
OFormatStream& operator<<(OFormatStream& out, const T& value) {
  out.Arguments() << value;
  out.PutArgument();
  return out;
}

// Holds the output buffer of an OFormatStringStream, so it exists before the stream base.
struct FormatOutputHolder {
  StringStreamBuf mOutput;
};

// An OFormatStream writing into a string.
class OFormatStringStream : private FormatOutputHolder, public OFormatStream {
 public:
  explicit OFormatStringStream(const String& format)
      : FormatOutputHolder(), OFormatStream(&mOutput, format) {}
  // The filled text (empty until every placeholder has its value).
  String str() { return mOutput.str(); }
};

}  // namespace QOR
