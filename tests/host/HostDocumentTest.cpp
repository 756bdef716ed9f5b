// The host document object: the data document it holds, its flag, channel counts and names.
#include "host/data/HostDocument.h"

#include "host/data/Sampler.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <string>
#include <vector>

namespace host {
namespace {

HostPtr<DataDocument> ThreeChannelDocument() {
  Recording recording;
  recording.channels = {{L"Vm", L"mV", L""}, {L"", L"V", L""}, {L"Wave", L"mV", L"sin(t)"}};
  return DataDocument::Create(std::move(recording));
}

std::wstring ChannelText(IHostDocument* document, int32_t channel, HRESULT* hr) {
  BSTR text = nullptr;
  *hr = document->GetChannelText(0, channel, 0xC0000000u, &text);
  std::wstring result = text ? std::wstring(text, SysStringLen(text)) : L"(null)";
  SysFreeString(text);
  return result;
}

TEST(HostDocument, HoldsItsDataDocumentAndAnswersForIt) {
  HostPtr<DataDocument> data = ThreeChannelDocument();
  HostPtr<HostDocument> document = HostDocument::Create(data);

  HostPtr<IHostDataDocument> held;
  ASSERT_EQ(S_OK, document->GetDataDocument(held.Out()));
  EXPECT_EQ(static_cast<IHostDataDocument*>(data.Get()), held.Get());
  HostPtr<IUnknown> same;
  ASSERT_EQ(S_OK, static_cast<IHostDocument*>(document.Get())->QueryInterface(IID_IHostDocument,
                                                                             reinterpret_cast<void**>(same.Out())));
  EXPECT_EQ(static_cast<IUnknown*>(static_cast<IHostDocument*>(document.Get())), same.Get());
  EXPECT_EQ(E_NOINTERFACE, static_cast<IHostDocument*>(document.Get())->QueryInterface(
                               IID_IHostDataDocument, reinterpret_cast<void**>(same.Out())));

  // The module reaches the operations by slot: 3 the data document, 5 the channel count.
  void** const table = *reinterpret_cast<void***>(static_cast<IHostDocument*>(document.Get()));
  using GetDocumentFn = HRESULT(STDMETHODCALLTYPE*)(IHostDocument*, IHostDataDocument**);
  using CountFn = HRESULT(STDMETHODCALLTYPE*)(IHostDocument*, int32_t*);
  IHostDocument* const raw = document.Get();
  ASSERT_EQ(S_OK, reinterpret_cast<GetDocumentFn>(table[3])(raw, held.Out()));
  EXPECT_EQ(static_cast<IHostDataDocument*>(data.Get()), held.Get());
  int32_t count = 0;
  ASSERT_EQ(S_OK, reinterpret_cast<CountFn>(table[5])(raw, &count));
  EXPECT_EQ(3, count);

  int32_t all = 0, recorded = 0, calculated = 0;
  EXPECT_EQ(S_OK, document->GetChannelCount(&all));
  EXPECT_EQ(S_OK, document->GetRecordedChannelCount(&recorded));
  EXPECT_EQ(S_OK, document->GetCalculatedChannelCount(&calculated));
  EXPECT_EQ(3, all);
  EXPECT_EQ(2, recorded);
  EXPECT_EQ(1, calculated);
  EXPECT_EQ(E_POINTER, document->GetChannelCount(nullptr));

  HRESULT hr = E_FAIL;
  EXPECT_EQ(L"Vm", ChannelText(document.Get(), 0, &hr));
  EXPECT_EQ(S_OK, hr);
  EXPECT_EQ(L"Channel 2", ChannelText(document.Get(), 1, &hr));
  EXPECT_EQ(L"Channel 4", ChannelText(document.Get(), 3, &hr)) << "the channel a user adds next";
  EXPECT_EQ(S_OK, hr);
  EXPECT_EQ(L"(null)", ChannelText(document.Get(), 4, &hr));
  EXPECT_EQ(E_INVALIDARG, hr);
  EXPECT_EQ(L"(null)", ChannelText(document.Get(), -1, &hr));
  EXPECT_EQ(E_INVALIDARG, hr);
}

TEST(HostDocument, GivesAModulesDocumentItsObjectsAndKeepsItAsAChild) {
  HostPtr<DataDocument> data = ThreeChannelDocument();
  HostPtr<HostDocument> document = HostDocument::Create(data);
  HostPtr<IUnknown> source;
  ASSERT_EQ(S_OK, document->GetDataSource(0, source.Out()));
  EXPECT_EQ(static_cast<IUnknown*>(static_cast<IHostDataDocument*>(data.Get())), source.Get());
  HostPtr<IHostSelection> selection, own;
  ASSERT_EQ(S_OK, document->GetSelection(selection.Out()));
  data->GetSelection(own.Out());
  EXPECT_EQ(own.Get(), selection.Get());
  HostPtr<IUnknown> none;
  EXPECT_EQ(E_NOTIMPL, document->GetHostObjectA(none.Out()));
  EXPECT_EQ(nullptr, none.Get());

  // The children a module keeps beside the host document, found by type id and index.
  HostPtr<DataDocument> child = ThreeChannelDocument();
  IUnknown* const childPart = static_cast<IHostDataDocument*>(child.Get());
  document->AddChildDocument(0x7FF00000u, childPart);
  HostPtr<IUnknown> found;
  EXPECT_EQ(S_OK, document->GetChildObject(0x7FF00000u, 0, found.Out()));
  EXPECT_EQ(childPart, found.Get());
  EXPECT_EQ(E_FAIL, document->GetChildObject(0x7FF00000u, 1, found.Out()));
  EXPECT_EQ(E_FAIL, document->GetChildObject(0x7FF00001u, 0, found.Out()));
  EXPECT_EQ(nullptr, found.Get());
  // Closing lets go of every child, whether it is a document or not.
  document->CloseChildDocuments();
  EXPECT_EQ(E_FAIL, document->GetChildObject(0x7FF00000u, 0, found.Out()));
}

TEST(HostDocument, FlagZeroFollowsSampling) {
  HostPtr<DataDocument> data = ThreeChannelDocument();
  HostPtr<HostDocument> document = HostDocument::Create(data);
  VARIANT_BOOL set = VARIANT_TRUE;
  EXPECT_EQ(S_OK, document->QueryFlag(kHostDocumentFlagSampling, &set));
  EXPECT_EQ(VARIANT_FALSE, set);
  Sampler sampler(data.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  EXPECT_EQ(S_OK, document->QueryFlag(kHostDocumentFlagSampling, &set));
  EXPECT_EQ(VARIANT_TRUE, set);
  ASSERT_EQ(S_OK, sampler.Stop());
  set = VARIANT_TRUE;
  EXPECT_EQ(E_INVALIDARG, document->QueryFlag(2, &set));
  EXPECT_EQ(VARIANT_FALSE, set);
  EXPECT_EQ(E_POINTER, document->QueryFlag(0, nullptr));
}

TEST(HostDocument, SettingsPageFlagBracketsAndPersistenceOfOnlyItsOwnDocuments) {
  HostPtr<HostDocument> document = HostDocument::Create(ThreeChannelDocument());
  VARIANT_BOOL set = VARIANT_TRUE;
  EXPECT_EQ(S_OK, document->QueryFlag(kHostDocumentFlagSettingsPage, &set));
  EXPECT_EQ(VARIANT_FALSE, set);
  document->SetSettingsPageFlag(true);
  EXPECT_EQ(S_OK, document->QueryFlag(kHostDocumentFlagSettingsPage, &set));
  EXPECT_EQ(VARIANT_TRUE, set);
  EXPECT_EQ(S_OK, document->BeginSettingsChange());
  EXPECT_EQ(S_OK, document->EndSettingsChange(0.0));
  EXPECT_EQ((std::vector<std::wstring>{L"begin", L"end 0"}), document->SettingsChangeLog());
  // An object that is no child document's persistence object is refused.
  BSTR name = reinterpret_cast<BSTR>(&set);
  EXPECT_EQ(E_INVALIDARG, document->RegisterPersistObject(static_cast<IHostDocument*>(document.Get()), nullptr, &name));
  EXPECT_EQ(nullptr, name);
  EXPECT_EQ(E_POINTER, document->RegisterPersistObject(nullptr, nullptr, nullptr));
  EXPECT_TRUE(document->PersistentChildren().empty());
}

}  // namespace
}  // namespace host
