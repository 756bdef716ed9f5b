// QOR::String: the shared, copy-before-write UTF-16 string of the module.
#pragma once

#include "hostapi/QORString.h"

#include <windows.h>

#include <cstdint>
#include <iosfwd>

namespace QORString {
class StringRep;
}

namespace QOR {

// One pointer to the text inside a QORString::StringRep; never null (the empty string shares
// one process-wide rep). Copies share the rep; every editing operation first gives a shared
// string a rep of its own.
class String {
 public:
  String();
  String(const wchar_t* text);
  // At most maxUnits units of text (less when a NUL comes first); a negative count throws
  // std::bad_alloc.
  String(const wchar_t* text, int maxUnits);
  // Narrow text in the thread's ANSI code page.
  explicit String(const char* text);
  // The string with the given id from module's string table (null: the host executable),
  // with the product words put in when substitute is set; empty when absent or id is 0.
  String(HMODULE module, uint32_t id, bool substitute);
  // Shares one of the module's own reps, or copies any other string (throwing XQOR when it
  // cannot be read); null gives "".
  explicit String(IQORString* text);
  String(const String& other) noexcept;
  String(String&& other) noexcept;
  String& operator=(const String& other) noexcept;
  String& operator=(String&& other) noexcept;
  // Assigning one character makes a one-character string.
  String& operator=(wchar_t ch);
  ~String();

  // Takes ownership of a BSTR (freed here); null gives "".
  static String AttachBSTR(BSTR text);
  // Takes over one reference to text: the module's own reps are kept, others copied and
  // released; null gives "".
  static String Adopt(IQORString* text);

  // Units without the terminator.
  int Length() const noexcept;
  bool IsEmpty() const noexcept { return Length() == 0; }
  // The zero-terminated text, valid until the string is modified or destroyed.
  const wchar_t* GetText() const noexcept { return mText; }
  // Units the string holds without growing, terminator excluded.
  int GetCapacity() const noexcept;
  // The string as the host sees it, without an added reference.
  IQORString* GetInterface() const noexcept;
  // The string as the host sees it, with one reference for the receiver.
  IQORString* AddRefInterface() const noexcept;
  // The text in the thread's ANSI code page, cached in the rep until the text changes.
  const char* GetNarrowText() const;

  bool operator==(const String& other) const noexcept;
  bool operator!=(const String& other) const noexcept { return !(*this == other); }
  // Lexicographic by unsigned code unit; a prefix sorts first.
  bool operator<(const String& other) const noexcept;

  String& Append(const String& text);
  String& Append(const wchar_t* text);
  String& Append(wchar_t ch);
  String& operator+=(const String& text) { return Append(text); }
  String& operator+=(const wchar_t* text) { return Append(text); }
  String& operator+=(wchar_t ch) { return Append(ch); }
  // Replaces count units at pos by text; pos equal to Length() appends.
  String& Replace(int pos, int count, const String& text);
  String& Erase(int pos, int count);
  void Clear();
  // Room for units characters plus a terminator; the text becomes empty. The caller writes
  // into the returned buffer and then calls SetLength.
  wchar_t* GetBuffer(int units);
  // Sets the length after writing into the buffer (at most the capacity); -1 takes the text
  // up to its first NUL.
  void SetLength(int units = -1);
  // Gives the string a rep of its own with the same capacity and returns its writable text.
  wchar_t* MakeUnique();
  // Capacity of units including the terminator (at least 8, never less than the text holds);
  // an unshared string with exactly that capacity keeps its rep.
  void Reserve(int units);
  // count units from pos (a negative count: to the end); empty when pos is outside the text.
  String Substring(int pos, int count) const;
  // Index of the first unit at or after pos that is in set, or -1.
  int FindOneOf(const wchar_t* set, int pos = 0) const noexcept;
  // Index of the last unit at or before pos that is in set, or -1; pos -1 starts at the end.
  int FindLastOf(const wchar_t* set, int pos = -1) const noexcept;
  // Every ';' becomes ','.
  void SemicolonsToCommas();

 private:
  explicit String(QORString::StringRep* rep) noexcept;
  QORString::StringRep* Rep() const noexcept;
  void TakeRep(QORString::StringRep* rep) noexcept;
  void CopyBeforeWrite();
  void GrowTo(uint32_t unitsWithTerminator);
  void AppendUnits(const wchar_t* text, uint32_t units);

  wchar_t* mText;
};

// Copies are cheap because a string is nothing but the address of its text in the rep.
static_assert(sizeof(String) == sizeof(wchar_t*), "a string is exactly one text pointer");

// Reads one white-space delimited word.
std::wistream& operator>>(std::wistream& in, String& text);

// Out parameter of a host call that hands back a string: pass it where IQORString** is
// expected; when the holder ends the received string moves into the target.
class StringOutParam {
 public:
  explicit StringOutParam(String& target) noexcept : mTarget(target) {}
  StringOutParam(const StringOutParam&) = delete;
  StringOutParam& operator=(const StringOutParam&) = delete;
  ~StringOutParam();
  operator IQORString**() noexcept { return &mReceived; }

 private:
  String& mTarget;
  IQORString* mReceived = nullptr;
};

}  // namespace QOR
