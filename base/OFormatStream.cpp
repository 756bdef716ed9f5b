// QOR::OFormatStream: parsing the placeholders and writing the filled text.
#include "base/OFormatStream.h"

#include <algorithm>
#include <cwchar>

namespace QOR {

OFormatStream::OFormatStream(std::basic_streambuf<wchar_t>* out, const String& format)
    : std::basic_ostream<wchar_t>(out), mFormat(format) {
  std::fill(std::begin(mTarget), std::end(mTarget), -1);
  Parse();
}

OFormatStream::~OFormatStream() = default;

void OFormatStream::Parse() {
  const wchar_t* text = mFormat.GetText();
  const auto length = static_cast<uint32_t>(mFormat.Length());
  bool doubled = false;
  uint32_t at = 0;
  while (at < length) {
    const wchar_t* found = std::wcschr(text + at, L'%');
    if (found == nullptr) break;
    const auto percent = static_cast<uint32_t>(found - text);
    if (text[percent + 1] == L'%') {
      doubled = true;
      at = percent + 2;
      continue;
    }
    // Read the way wcstol reads base 10: leading blanks and a '+' are accepted.
    wchar_t* end = nullptr;
    const long number = std::wcstol(text + percent + 1, &end, 10);
    if (end == text + percent + 1 || number < 1 || number > kMaxPlaceholder) {
      // Not a placeholder: the '%' stays plain text. A number above 20 is never waited for.
      at = percent + 1;
      continue;
    }
    auto resume = static_cast<uint32_t>(end - text);
    if (text[resume] == L'\\') ++resume;
    const int n = static_cast<int>(number);
    mHighest = std::max(mHighest, n);
    // A number used twice: its later occurrence receives the value.
    mTarget[n] = static_cast<int>(mSegments.size());
    mSegments.push_back(Segment{percent, resume, n, doubled});
    doubled = false;
    at = resume;
  }
  mTailDoubled = doubled;
  if (mSegments.empty()) write(text, length);
}

void OFormatStream::PutArgument() {
  if (static_cast<int>(mReceived.size()) >= mHighest) return;
  const std::streamoff position = mArguments.tellp();
  // A failed argument stream gives the argument no text rather than a wrong one.
  const uint32_t end = position < mPrevious ? mPrevious : static_cast<uint32_t>(position);
  mReceived.push_back(Argument{mPrevious, end - mPrevious});
  mPrevious = end;
  if (static_cast<int>(mReceived.size()) == mHighest) WriteOutput();
}

void OFormatStream::WriteLiteral(uint32_t from, uint32_t to, bool doubled) {
  const wchar_t* text = mFormat.GetText();
  if (!doubled) {
    write(text + from, to - from);
    return;
  }
  // In a piece holding "%%" every '%' escapes the unit after it: the '%' is dropped and that
  // unit is written as text, so "%%" gives one '%'. A '%' ending the format is dropped.
  uint32_t run = from;
  for (uint32_t i = from; i < to; ++i) {
    if (text[i] != L'%') continue;
    write(text + run, i - run);
    run = i + 1;
    ++i;
  }
  if (run < to) write(text + run, to - run);
}

void OFormatStream::WriteOutput() {
  const String arguments = mArguments.str();
  uint32_t from = 0;
  for (size_t i = 0; i < mSegments.size(); ++i) {
    const Segment& segment = mSegments[i];
    WriteLiteral(from, segment.percent, segment.doubled);
    if (mTarget[segment.number] == static_cast<int>(i)) {
      const Argument& argument = mReceived[static_cast<size_t>(segment.number) - 1];
      write(arguments.GetText() + argument.start, argument.length);
    }
    from = segment.resume;
  }
  WriteLiteral(from, static_cast<uint32_t>(mFormat.Length()), mTailDoubled);
}

}  // namespace QOR
