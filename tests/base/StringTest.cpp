// Tests of QOR::String: sharing, capacity growth, BSTRs and the IQORString table.
#include "base/String.h"

#include "base/XQOR.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <sstream>
#include <string>

namespace {

using QOR::IQORString;
using QOR::String;

long CountOf(const String& s) {
  IQORString* rep = s.AddRefInterface();
  return static_cast<long>(rep->Release());
}

TEST(String, EmptyTextsShareOneRep) {
  const String fromNull(static_cast<const wchar_t*>(nullptr));
  const String fromEmpty(L"");
  const String byDefault;
  EXPECT_EQ(fromNull.GetText(), fromEmpty.GetText());
  EXPECT_EQ(byDefault.GetText(), fromEmpty.GetText());
  EXPECT_EQ(fromEmpty.Length(), 0);
  EXPECT_EQ(fromEmpty.GetCapacity(), 8);
}

TEST(String, CapacityFollowsLengthAndGrowsByHalf) {
  struct Row {
    const wchar_t* text;
    int capacity;
  };
  for (const Row& row : {Row{L"a", 7}, Row{L"1234567", 7}, Row{L"12345678", 8}}) {
    EXPECT_EQ(String(row.text).GetCapacity(), row.capacity) << row.text;
  }
  String full(L"1234567");
  full += L'8';
  // Nine units needed: floor(1.5 * 9) = 13 units, 12 without the terminator.
  EXPECT_EQ(full.GetCapacity(), 12);
  EXPECT_EQ(std::wstring(full.GetText()), L"12345678");
  full += L"9";
  EXPECT_EQ(full.GetCapacity(), 12);
}

TEST(String, ReserveKeepsTheRepOrMovesTheWholeText) {
  String s(L"0123456789");
  s.Reserve(20);
  EXPECT_EQ(s.GetCapacity(), 19);
  const wchar_t* text = s.GetText();
  s.Reserve(20);  // unshared with exactly that capacity: kept
  EXPECT_EQ(s.GetText(), text);
  // Asking for less than the text holds never cuts it: the rep is as large as the text.
  s.Reserve(4);
  EXPECT_EQ(s.GetCapacity(), 10);
  EXPECT_EQ(std::wstring(s.GetText()), L"0123456789");
}

TEST(String, ModifyingACopyLeavesTheOriginal) {
  String first(L"shared text");
  first.Reserve(40);
  String second = first;
  EXPECT_EQ(first.GetText(), second.GetText());
  EXPECT_EQ(CountOf(first), 2);
  second += L'!';
  EXPECT_NE(first.GetText(), second.GetText());
  EXPECT_EQ(std::wstring(first.GetText()), L"shared text");
  EXPECT_EQ(std::wstring(second.GetText()), L"shared text!");
  EXPECT_EQ(second.GetCapacity(), 39);
  EXPECT_EQ(CountOf(first), 1);
}

TEST(String, SelfAppendAndSelfAssignmentAreSafe) {
  String s(L"ab");
  s = s;
  s.Append(s);
  s.Append(s.GetText() + 1);
  EXPECT_EQ(std::wstring(s.GetText()), L"ababbab");
}

TEST(String, AttachBSTRTakesOwnership) {
  const String abc = String::AttachBSTR(SysAllocString(L"abc"));
  EXPECT_EQ(abc.Length(), 3);
  EXPECT_EQ(abc.GetCapacity(), 7);
  EXPECT_EQ(std::wstring(abc.GetText()), L"abc");
  // A BSTR that already ends in NUL keeps its length.
  const String terminated = String::AttachBSTR(SysAllocStringLen(L"xy\0", 3));
  EXPECT_EQ(terminated.Length(), 2);
  EXPECT_EQ(String::AttachBSTR(nullptr).Length(), 0);
}

TEST(String, EditingOperations) {
  String s(L"alpha;beta;gamma");
  EXPECT_EQ(s.FindOneOf(L";", 0), 5);
  EXPECT_EQ(s.FindOneOf(L";", 6), 10);
  EXPECT_EQ(s.FindLastOf(L";", 9), 5);
  EXPECT_EQ(s.FindOneOf(L"#"), -1);
  EXPECT_EQ(std::wstring(s.Substring(6, 4).GetText()), L"beta");
  EXPECT_EQ(std::wstring(s.Substring(11, 100).GetText()), L"gamma");
  EXPECT_EQ(s.Substring(16, 1).Length(), 0);
  EXPECT_EQ(std::wstring(s.Substring(11, -1).GetText()), L"gamma") << "a negative count reads to the end";
  s.Replace(6, 4, String(L"BETA-LONGER"));
  EXPECT_EQ(std::wstring(s.GetText()), L"alpha;BETA-LONGER;gamma");
  s.Replace(s.Length(), 0, String(L"!"));
  s.Erase(0, 6);
  s.SemicolonsToCommas();
  EXPECT_EQ(std::wstring(s.GetText()), L"BETA-LONGER,gamma!");
  s = L'x';
  EXPECT_EQ(std::wstring(s.GetText()), L"x");
  EXPECT_THROW(String(L"abc", -1), std::bad_alloc);
  EXPECT_EQ(std::wstring(String(L"abcdef", 3).GetText()), L"abc");
}

TEST(String, OrderAndEquality) {
  EXPECT_TRUE(String(L"ab") < String(L"abc"));
  EXPECT_FALSE(String(L"abc") < String(L"ab"));
  EXPECT_TRUE(String(L"a") < String(L"\xFF00"));
  EXPECT_TRUE(String(L"abc") == String(L"abc"));
  EXPECT_TRUE(String(L"abc") != String(L"abd"));
  EXPECT_EQ(String(L"ab"), String("ab"));
}

TEST(String, GetBufferThenSetLength) {
  String s(L"old");
  wchar_t* buffer = s.GetBuffer(20);
  EXPECT_GE(s.GetCapacity(), 20);
  EXPECT_EQ(s.Length(), 0);
  wcscpy(buffer, L"written");
  s.SetLength();
  EXPECT_EQ(std::wstring(s.GetText()), L"written");
}

TEST(String, NarrowTextIsRebuiltAfterAChange) {
  String s(L"abc");
  EXPECT_STREQ(s.GetNarrowText(), "abc");
  s += L"d";
  EXPECT_STREQ(s.GetNarrowText(), "abcd");
}

TEST(String, ExtractionReadsOneWord) {
  std::wistringstream in(L"  first averyveryverylongword\tlast");
  String word(L"previous");
  in >> word;
  EXPECT_EQ(std::wstring(word.GetText()), L"first");
  in >> word;
  EXPECT_EQ(std::wstring(word.GetText()), L"averyveryverylongword");
  in >> word;
  EXPECT_EQ(std::wstring(word.GetText()), L"last");
  in >> word;
  EXPECT_EQ(word.Length(), 0);
}

// Calls a slot of an interface by its index in the raw table.
template <typename R, typename... A>
R CallSlot(IQORString* s, int slot, A... args) {
  using Fn = R(__stdcall*)(IQORString*, A...);
  void** table = *reinterpret_cast<void***>(s);
  return reinterpret_cast<Fn>(table[slot])(s, args...);
}

TEST(QORStringInterface, SlotsAnswerThroughTheRawTable) {
  const String s(L"hello");
  IQORString* rep = s.AddRefInterface();
  EXPECT_EQ((CallSlot<long>(rep, 9)), 9);
  EXPECT_EQ((CallSlot<long>(rep, 15)), 5);
  EXPECT_EQ((CallSlot<const wchar_t*>(rep, 18)), s.GetText());
  long length = 0;
  long size = 0;
  EXPECT_EQ((CallSlot<HRESULT, long*, long*>(rep, 11, &length, &size)), S_OK);
  EXPECT_EQ(length, 5);
  EXPECT_EQ(size, 2);
  long capacity = 0;
  EXPECT_EQ((CallSlot<HRESULT, long*>(rep, 12, &capacity)), S_OK);
  EXPECT_EQ(capacity, 7);
  VARIANT_BOOL shared = 0;
  EXPECT_EQ((CallSlot<HRESULT, VARIANT_BOOL*>(rep, 8, &shared)), S_OK);
  EXPECT_EQ(shared, VARIANT_TRUE);
  wchar_t small[5];
  EXPECT_EQ((CallSlot<HRESULT, long, void*>(rep, 10, static_cast<long>(sizeof small), small)),
            E_FAIL);
  EXPECT_EQ(rep->Release(), 1u);
}

TEST(QORStringInterface, IdentityAndLifetime) {
  IQORString* made = nullptr;
  ASSERT_EQ(String().GetInterface()->CreateRep(20, &made), S_OK);
  long capacity = 0;
  made->GetCapacity(&capacity);
  EXPECT_EQ(capacity, 20);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(made->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(made));
  IAutoQORString* automation = nullptr;
  ASSERT_EQ(made->QueryInterface(IID_IAutoQORString, reinterpret_cast<void**>(&automation)), S_OK);
  EXPECT_EQ(static_cast<void*>(automation), static_cast<void*>(made));
  void* none = made;
  EXPECT_EQ(made->QueryInterface(IID_IDispatch, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  unknown->Release();
  automation->Release();
  VARIANT_BOOL same = 0;
  made->IsEqual(made, &same);
  EXPECT_EQ(same, VARIANT_TRUE);
  BSTR text = SysAllocString(L"set");
  EXPECT_EQ(made->SetFromBSTR(text), S_OK);
  SysFreeString(text);
  EXPECT_STREQ(made->GetText(), L"set");
  EXPECT_EQ(made->Release(), 0u);
}

TEST(QORStringInterface, SharedRepRefusesSetFromBSTR) {
  const String s(L"abc");
  const String copy = s;
  BSTR text = SysAllocString(L"x");
  EXPECT_EQ(s.GetInterface()->SetFromBSTR(text), E_FAIL);
  SysFreeString(text);
  EXPECT_STREQ(copy.GetText(), L"abc");
}

TEST(QORStringInterface, BSTRAndVariantCopies) {
  const String s(L"abc");
  BSTR text = SysAllocString(L"stale");
  ASSERT_EQ(s.GetInterface()->GetBSTR(&text), S_OK);
  EXPECT_EQ(SysStringLen(text), 3u);
  EXPECT_STREQ(text, L"abc");
  SysFreeString(text);
  text = SysAllocString(L"stale");
  ASSERT_EQ(String().GetInterface()->GetBSTR(&text), S_OK);
  EXPECT_EQ(text, nullptr);
  VARIANT value;
  ASSERT_EQ(s.GetInterface()->GetVariant(&value), S_OK);
  EXPECT_EQ(value.vt, VT_BSTR);
  EXPECT_STREQ(value.bstrVal, L"abc");
  VariantClear(&value);
}

// A string implemented elsewhere (as the host's would be), narrow or wide.
class ForeignString final : public IQORString {
 public:
  ForeignString(const wchar_t* wide, const char* narrow) : mWide(wide), mNarrow(narrow) {}
  LONG count = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++count; }
  ULONG STDMETHODCALLTYPE Release() override { return --count; }
  HRESULT STDMETHODCALLTYPE SetFromBSTR(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetBSTR(BSTR* out) override {
    SysFreeString(*out);
    *out = SysAllocString(mWide);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsEmpty(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetLength(long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsEqual(IQORString*, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsShared(VARIANT_BOOL*) override { return E_NOTIMPL; }
  long STDMETHODCALLTYPE GetImplementation() override { return 1; }
  HRESULT STDMETHODCALLTYPE CopyTo(long bytes, void* buffer) override {
    if (mNarrow != nullptr) {
      memcpy(buffer, mNarrow, static_cast<size_t>(bytes));
    } else {
      memcpy(buffer, mWide, static_cast<size_t>(bytes));
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLengthAndCharSize(long* length, long* size) override {
    if (mWide == nullptr) return E_UNEXPECTED;
    *length = static_cast<long>(mNarrow != nullptr ? strlen(mNarrow) : wcslen(mWide));
    *size = mNarrow != nullptr ? 1 : 2;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCapacity(long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateRep(long, IQORString**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVariant(VARIANT*) override { return E_NOTIMPL; }
  long STDMETHODCALLTYPE Length() override { return 0; }
  HRESULT STDMETHODCALLTYPE Destroy() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return S_OK; }
  const wchar_t* STDMETHODCALLTYPE GetText() override { return mWide; }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) override { return this; }

 private:
  const wchar_t* mWide;
  const char* mNarrow;
};

TEST(QORStringInterface, ForeignStringsAreCopiedOwnAreShared) {
  ForeignString wide(L"wide text", nullptr);
  ForeignString narrow(L"narrow", "narrow");
  EXPECT_STREQ(String(&wide).GetText(), L"wide text");
  EXPECT_STREQ(String(&narrow).GetText(), L"narrow");
  EXPECT_EQ(wide.count, 1);

  VARIANT_BOOL equal = 0;
  String(L"wide text").GetInterface()->IsEqual(&wide, &equal);
  EXPECT_EQ(equal, VARIANT_TRUE);
  String(L"wide tex").GetInterface()->IsEqual(&wide, &equal);
  EXPECT_EQ(equal, VARIANT_FALSE);

  String target;
  {
    QOR::StringOutParam out(target);
    *static_cast<IQORString**>(out) = &wide;
  }
  EXPECT_STREQ(target.GetText(), L"wide text");
  EXPECT_EQ(wide.count, 0);  // the received reference was released after copying

  const String own(L"own");
  {
    QOR::StringOutParam out(target);
    *static_cast<IQORString**>(out) = own.AddRefInterface();
  }
  EXPECT_EQ(target.GetText(), own.GetText());
  EXPECT_EQ(CountOf(own), 2);
}

TEST(QORStringInterface, UnreadableForeignStringThrows) {
  ForeignString broken(nullptr, nullptr);
  try {
    const String copy(&broken);
    FAIL() << "no exception";
  } catch (const XQOR& e) {
    EXPECT_EQ(e.code(), E_UNEXPECTED);
  }
  String target(L"old");
  {
    QOR::StringOutParam out(target);
    *static_cast<IQORString**>(out) = &broken;
  }
  EXPECT_EQ(target.Length(), 0);
  EXPECT_EQ(broken.count, 0);  // released although it could not be copied
}

}  // namespace
