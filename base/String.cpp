// QOR::String: construction, sharing and copy-before-write editing.
#include "base/String.h"

#include "base/StringRep.h"
#include "base/XQOR.h"

#include <oleauto.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <istream>
#include <locale>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

namespace QOR {

using QORString::StringRep;

namespace {

class StringSizeError : public std::bad_alloc {
 public:
  const char* what() const noexcept override { return "QOR::String size too big"; }
};

StringRep* NewRep(const wchar_t* text, uint32_t units) {
  StringRep* rep = StringRep::Allocate(units + 1);
  std::wmemcpy(rep->Text(), text, units);
  rep->Text()[units] = 0;
  rep->mLength = units + 1;
  return rep;
}

StringRep* SharedEmpty() noexcept {
  StringRep* rep = StringRep::Empty();
  rep->AddRef();
  return rep;
}

// Growth on append: one and a half times what is needed.
uint32_t GrownCapacity(uint32_t needed) {
  const uint64_t grown = static_cast<uint64_t>(needed) * 3 / 2;
  if (grown > 0x7FFFFFFFu) throw StringSizeError();
  return static_cast<uint32_t>(grown);
}

// Copies a foreign string through its interface; its failures are thrown as XQOR.
StringRep* CopyForeign(IQORString* text) {
  long length = 0;
  long charSize = 0;
  ThrowIfFailed(text->GetLengthAndCharSize(&length, &charSize));
  if (length <= 0) return SharedEmpty();
  if (length >= 0x7FFFFFFF) throw StringSizeError();
  const uint32_t units = static_cast<uint32_t>(length) + 1;
  if (charSize == sizeof(wchar_t)) {
    StringRep* rep = StringRep::Allocate(units);
    const HRESULT hr = text->CopyTo(static_cast<long>(units * sizeof(wchar_t)), rep->Text());
    if (FAILED(hr)) {
      rep->Release();
      throw XQOR(hr);
    }
    rep->Text()[length] = 0;
    rep->mLength = units;
    return rep;
  }
  // Any other unit size is taken as text in the thread's ANSI code page.
  std::unique_ptr<char[]> narrow(new char[units]);
  ThrowIfFailed(text->CopyTo(static_cast<long>(units), narrow.get()));
  narrow[length] = 0;
  const int wide = MultiByteToWideChar(CP_THREAD_ACP, 0, narrow.get(), -1, nullptr, 0);
  if (wide <= 1) return SharedEmpty();
  StringRep* rep = StringRep::Allocate(static_cast<uint32_t>(wide));
  MultiByteToWideChar(CP_THREAD_ACP, 0, narrow.get(), -1, rep->Text(), wide);
  rep->mLength = static_cast<uint32_t>(wide);
  return rep;
}

}  // namespace

String::String() : mText(SharedEmpty()->Text()) {}

String::String(StringRep* rep) noexcept : mText(rep->Text()) {}

String::String(const wchar_t* text) : mText(nullptr) {
  const size_t units = text == nullptr ? 0 : std::wcslen(text);
  if (units >= 0x7FFFFFFFu) throw StringSizeError();
  mText = (units == 0 ? SharedEmpty() : NewRep(text, static_cast<uint32_t>(units)))->Text();
}

String::String(const wchar_t* text, int maxUnits) : mText(nullptr) {
  if (maxUnits < 0) throw StringSizeError();
  const size_t units = text == nullptr ? 0 : ::wcsnlen(text, static_cast<size_t>(maxUnits));
  mText = (units == 0 ? SharedEmpty() : NewRep(text, static_cast<uint32_t>(units)))->Text();
}

String::String(const char* text) : mText(nullptr) {
  const int units =
      text == nullptr ? 0 : MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
  if (units <= 1) {
    mText = SharedEmpty()->Text();
    return;
  }
  StringRep* rep = StringRep::Allocate(static_cast<uint32_t>(units));
  MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, rep->Text(), units);
  rep->mLength = static_cast<uint32_t>(units);
  mText = rep->Text();
}

String::String(IQORString* text) : mText(nullptr) {
  if (text == nullptr) {
    mText = SharedEmpty()->Text();
  } else if (StringRep::IsOwn(text)) {
    text->AddRef();
    mText = static_cast<StringRep*>(text)->Text();
  } else {
    mText = CopyForeign(text)->Text();
  }
}

String::String(const String& other) noexcept : mText(other.mText) { Rep()->AddRef(); }

// Shares like a copy: the moved-from string must keep a valid rep, and taking the empty
// rep could allocate.
String::String(String&& other) noexcept : mText(other.mText) { Rep()->AddRef(); }

String& String::operator=(const String& other) noexcept {
  // Reference the source first, so self-assignment is safe.
  other.Rep()->AddRef();
  TakeRep(other.Rep());
  return *this;
}

String& String::operator=(String&& other) noexcept {
  std::swap(mText, other.mText);
  return *this;
}

String& String::operator=(wchar_t ch) {
  CopyBeforeWrite();
  mText[0] = ch;
  mText[1] = 0;
  Rep()->mLength = ch == 0 ? 1 : 2;
  return *this;
}

String::~String() {
  StringRep* rep = Rep();
  if (InterlockedDecrement(&rep->mRefCount) == 0) rep->Destroy();
}

String String::AttachBSTR(BSTR text) {
  if (text == nullptr) return String();
  uint32_t units = SysStringLen(text);
  if (units == 0 || text[units - 1] != 0) ++units;
  StringRep* rep;
  try {
    rep = StringRep::Allocate(units);
  } catch (...) {
    SysFreeString(text);
    throw;
  }
  std::wmemcpy(rep->Text(), text, units - 1);
  rep->Text()[units - 1] = 0;
  rep->mLength = units;
  SysFreeString(text);
  return String(rep);
}

String String::Adopt(IQORString* text) {
  if (text == nullptr) return String();
  if (StringRep::IsOwn(text)) return String(static_cast<StringRep*>(text));
  struct Releaser {
    IQORString* p;
    ~Releaser() { p->Release(); }
  } releaser{text};
  return String(CopyForeign(text));
}

StringRep* String::Rep() const noexcept { return StringRep::FromText(mText); }

void String::TakeRep(StringRep* rep) noexcept {
  StringRep* old = Rep();
  mText = rep->Text();
  if (InterlockedDecrement(&old->mRefCount) == 0) old->Destroy();
}

int String::Length() const noexcept { return static_cast<int>(Rep()->mLength) - 1; }

int String::GetCapacity() const noexcept { return static_cast<int>(Rep()->mCapacity) - 1; }

IQORString* String::GetInterface() const noexcept { return Rep(); }

IQORString* String::AddRefInterface() const noexcept {
  Rep()->AddRef();
  return Rep();
}

const char* String::GetNarrowText() const { return Rep()->NarrowText(); }

bool String::operator==(const String& other) const noexcept {
  if (mText == other.mText) return true;
  const uint32_t length = Rep()->mLength;
  return length == other.Rep()->mLength && std::wmemcmp(mText, other.mText, length) == 0;
}

bool String::operator<(const String& other) const noexcept {
  // wchar_t is an unsigned 16-bit unit here, so wmemcmp orders by code unit.
  const uint32_t mine = Rep()->mLength - 1;
  const uint32_t theirs = other.Rep()->mLength - 1;
  const int order = std::wmemcmp(mText, other.mText, std::min(mine, theirs));
  return order != 0 ? order < 0 : mine < theirs;
}

void String::CopyBeforeWrite() {
  StringRep* rep = Rep();
  if (rep->mRefCount == 1) {
    rep->mNarrowValid = 0;
    return;
  }
  StringRep* copy = StringRep::Allocate(rep->mCapacity);
  const uint32_t units = std::min(rep->mLength, rep->mCapacity);
  std::wmemcpy(copy->Text(), rep->Text(), units);
  copy->mLength = units;
  TakeRep(copy);
}

wchar_t* String::MakeUnique() {
  CopyBeforeWrite();
  return mText;
}

// Makes the string writable with room for unitsWithTerminator units, growing by half again.
void String::GrowTo(uint32_t unitsWithTerminator) {
  StringRep* rep = Rep();
  if (unitsWithTerminator <= rep->mCapacity) {
    CopyBeforeWrite();
    return;
  }
  StringRep* grown = StringRep::Allocate(GrownCapacity(unitsWithTerminator));
  std::wmemcpy(grown->Text(), rep->Text(), rep->mLength);
  grown->mLength = rep->mLength;
  TakeRep(grown);
}

void String::AppendUnits(const wchar_t* text, uint32_t units) {
  if (units == 0) return;
  const uint32_t length = Rep()->mLength;
  if (units >= 0x7FFFFFFFu - length) throw StringSizeError();
  GrowTo(length + units);
  std::wmemcpy(mText + length - 1, text, units);
  mText[length - 1 + units] = 0;
  Rep()->mLength = length + units;
}

String& String::Append(const String& text) {
  // A copy keeps the source alive and unchanged when it is this string itself.
  const String source(text);
  AppendUnits(source.mText, static_cast<uint32_t>(source.Length()));
  return *this;
}

String& String::Append(const wchar_t* text) {
  if (text == nullptr) return *this;
  const size_t units = std::wcslen(text);
  if (units >= 0x7FFFFFFFu) throw StringSizeError();
  const wchar_t* begin = mText;
  if (text >= begin && text < begin + Rep()->mCapacity) return Append(String(text));
  AppendUnits(text, static_cast<uint32_t>(units));
  return *this;
}

String& String::Append(wchar_t ch) {
  const wchar_t unit[1] = {ch};
  AppendUnits(unit, ch == 0 ? 0 : 1);
  return *this;
}

String& String::Replace(int pos, int count, const String& text) {
  const int length = Length();
  if (pos < 0 || pos > length) throw std::out_of_range("QOR::String position out of range");
  if (pos == length) return Append(text);
  const String source(text);
  Erase(pos, count);
  const uint32_t inserted = static_cast<uint32_t>(source.Length());
  if (inserted == 0) return *this;
  const uint32_t oldLength = Rep()->mLength;
  if (inserted >= 0x7FFFFFFFu - oldLength) throw StringSizeError();
  const uint32_t needed = oldLength + inserted;
  if (needed > Rep()->mCapacity) {
    // Insertion grows to exactly the needed length.
    StringRep* grown = StringRep::Allocate(needed);
    std::wmemcpy(grown->Text(), mText, oldLength);
    grown->mLength = oldLength;
    TakeRep(grown);
  } else {
    CopyBeforeWrite();
  }
  std::wmemmove(mText + pos + inserted, mText + pos, oldLength - static_cast<uint32_t>(pos));
  std::wmemcpy(mText + pos, source.mText, inserted);
  Rep()->mLength = needed;
  return *this;
}

String& String::Erase(int pos, int count) {
  const int length = Length();
  if (pos < 0 || pos > length) throw std::out_of_range("QOR::String position out of range");
  count = std::min(std::max(count, 0), length - pos);
  if (count == 0) return *this;
  CopyBeforeWrite();
  // The tail moves down with its terminator.
  std::wmemmove(mText + pos, mText + pos + count, static_cast<size_t>(length - pos - count + 1));
  Rep()->mLength -= static_cast<uint32_t>(count);
  return *this;
}

void String::Clear() {
  CopyBeforeWrite();
  mText[0] = 0;
  Rep()->mLength = 1;
}

wchar_t* String::GetBuffer(int units) {
  if (units < 0 || units >= 0x7FFFFFFF) throw StringSizeError();
  const uint32_t needed = static_cast<uint32_t>(units) + 1;
  StringRep* rep = Rep();
  if (rep->mRefCount == 1 && rep->mCapacity >= needed) {
    rep->FreeNarrow();
    rep->mLength = 1;
    mText[0] = 0;
  } else {
    TakeRep(StringRep::Allocate(needed));
  }
  mText[units] = 0;
  return mText;
}

void String::SetLength(int units) {
  StringRep* rep = Rep();
  const uint32_t room = rep->mCapacity - 1;
  uint32_t length = units < 0 ? static_cast<uint32_t>(::wcsnlen(mText, room))
                              : std::min(static_cast<uint32_t>(units), room);
  if (rep->mRefCount != 1) {
    // Someone took a copy meanwhile: keep what was written in a rep of our own.
    TakeRep(NewRep(mText, length));
    return;
  }
  rep->mNarrowValid = 0;
  mText[length] = 0;
  rep->mLength = length + 1;
}

void String::Reserve(int units) {
  if (units < 0) throw StringSizeError();
  StringRep* rep = Rep();
  if (rep->mRefCount == 1 && rep->mCapacity == static_cast<uint32_t>(units)) return;
  // Never below the text already held.
  StringRep* moved = StringRep::Allocate(std::max(static_cast<uint32_t>(units), rep->mLength));
  std::wmemcpy(moved->Text(), mText, rep->mLength);
  moved->mLength = rep->mLength;
  TakeRep(moved);
}

String String::Substring(int pos, int count) const {
  const int length = Length();
  if (pos < 0 || pos >= length) return String();
  return String(mText + pos, count < 0 ? length - pos : std::min(count, length - pos));
}

int String::FindOneOf(const wchar_t* set, int pos) const noexcept {
  if (set == nullptr) return -1;
  const int length = Length();
  for (int i = std::max(pos, 0); i < length; ++i)
    if (std::wcschr(set, mText[i]) != nullptr) return i;
  return -1;
}

int String::FindLastOf(const wchar_t* set, int pos) const noexcept {
  if (set == nullptr) return -1;
  const int length = Length();
  if (pos < 0 || pos >= length) pos = length - 1;
  for (int i = pos; i >= 0; --i)
    if (std::wcschr(set, mText[i]) != nullptr) return i;
  return -1;
}

void String::SemicolonsToCommas() {
  if (FindOneOf(L";") < 0) return;
  CopyBeforeWrite();
  for (wchar_t* p = mText; *p != 0; ++p)
    if (*p == L';') *p = L',';
}

std::wistream& operator>>(std::wistream& in, String& text) {
  text.Clear();
  const auto& ctype = std::use_facet<std::ctype<wchar_t>>(in.getloc());
  for (;;) {
    wchar_t* buffer = text.MakeUnique();
    const int length = text.Length();
    const int room = text.GetCapacity() + 1 - length;
    in.width(room);
    in >> (buffer + length);
    text.SetLength(length + static_cast<int>(std::wcslen(buffer + length)));
    if (in.fail() || in.eof()) break;
    const auto next = in.peek();
    if (next == std::char_traits<wchar_t>::eof() || ctype.is(std::ctype_base::space, next)) break;
    text.Reserve(std::max(2 * (text.GetCapacity() + 1), 8));
  }
  return in;
}

StringOutParam::~StringOutParam() {
  IQORString* received = mReceived;
  mReceived = nullptr;
  try {
    mTarget = String::Adopt(received);
  } catch (...) {
    // Adopt released the string; the target stays empty rather than unwinding a destructor
    // (the host's string could not be read).
    mTarget = String();
  }
}

}  // namespace QOR
