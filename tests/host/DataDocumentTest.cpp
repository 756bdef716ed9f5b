// The data document as the module sees it: child data, online sinks, channels and records.
#include "host/data/DataDocument.h"

#include "host/common/HostObject.h"
#include "host/formula/FormulaSyntax.h"
#include "hostapi/CalcEnum.h"

#include <gtest/gtest.h>

namespace host {
namespace {

class FakeChild final : public HostObject<IScrivoDataChildData> {
 public:
  explicit FakeChild(uint32_t typeId) : mTypeId(typeId) {}
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* id) noexcept override {
    *id = mTypeId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IUnknown*, int32_t, int32_t, int32_t, int32_t, IUnknown*,
                                  IScrivoDataChildData**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE OnRecordsChanged(IUnknown*, int32_t, int32_t, int32_t, int32_t, int32_t,
                                             int32_t) noexcept override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnRecordsMoved(IUnknown*, int32_t, int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnChannelDataChanged(IUnknown*, int32_t, int32_t, uint32_t, int32_t, int32_t, int32_t,
                                                 int32_t, int32_t, int32_t, int32_t, int32_t) noexcept override {
    return S_OK;
  }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) noexcept override { return this; }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IScrivoDataChildData) return static_cast<IScrivoDataChildData*>(this);
    return nullptr;
  }
  uint32_t mTypeId;
};

HostPtr<DataDocument> TwoRecordDocument() {
  Recording recording;
  recording.channels.push_back({L"Vm", L"mV", L""});
  for (int32_t length : {5, 0}) {
    RecordData record = MakeEmptyRecord(1, 0.002, true);
    const float samples[5] = {1, 2, 3, 4, 5};
    record.samples[0]->Append(samples, length);
    record.length = length;
    recording.records.push_back(std::move(record));
  }
  return DataDocument::Create(std::move(recording));
}

TEST(DataDocument, KeepsOneChildPerTypeId) {
  HostPtr<DataDocument> document = TwoRecordDocument();
  HostPtr<IScrivoDataChildData> child, other, found;
  child.Attach(new FakeChild(0x00090000));
  other.Attach(new FakeChild(0x00090000));
  EXPECT_EQ(document->FindChildData(0, 0x00090000, found.Out()), S_FALSE);
  EXPECT_FALSE(found);
  ASSERT_EQ(document->AddChildData(0, child.Get()), S_OK);
  EXPECT_EQ(document->AddChildData(0, other.Get()), E_INVALIDARG);
  ASSERT_EQ(document->FindChildData(0, 0x00090000, found.Out()), S_OK);
  EXPECT_EQ(found.Get(), child.Get());
  // The data file, the data document and the online service are one object.
  HostPtr<IHostDataFile> file(static_cast<IHostDataFile*>(document.Get()));
  EXPECT_TRUE(file.As<IHostDataDocument>(IID_IHostDataDocument));
  EXPECT_TRUE(file.As<IOnlineDataService>(IID_IOnlineDataService));
  EXPECT_EQ(file.As<IUnknown>(IID_IUnknown).Get(), file.As<IHostDataDocument>(IID_IHostDataDocument)
                                                         .As<IUnknown>(IID_IUnknown).Get());
}

TEST(DataDocument, AnswersRecordsChannelsAndBadArguments) {
  HostPtr<DataDocument> document = TwoRecordDocument();
  int32_t value = 0, record = 0;
  double period = 0;
  EXPECT_EQ(document->GetRecordLength(0, &value), S_OK);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(document->GetRecordLength(2, &value), E_INVALIDARG);
  EXPECT_EQ(document->GetDataEnd(0x80000000u, &record, &value), S_OK);
  EXPECT_EQ(record, 0);  // the last record holding data
  EXPECT_EQ(value, 5);
  EXPECT_EQ(document->GetChannelTickPeriod(0, kChannelRequestDisplayed, 1, &period), S_OK);
  EXPECT_DOUBLE_EQ(period, 0.002);
  BSTR text = nullptr;
  ASSERT_EQ(document->GetChannelDescription(0, &text), S_OK);
  EXPECT_STREQ(text, L"Vm [mV]");
  SysFreeString(text);
  HostPtr<IUnknown> source;
  EXPECT_EQ(document->GetChannelSource(1, kChannelRequestDisplayed, 0, 0, kEnumRecordEnd, source.Out()), E_INVALIDARG);
  EXPECT_EQ(document->GetChannelSource(0, 0, 0, 0, kEnumRecordEnd, source.Out()), E_INVALIDARG);
  EXPECT_THROW(document->AddCalculatedChannel(L"X", L"", L"sin(t"), FormulaError);
  HostPtr<IHostSelection> selection;
  ASSERT_EQ(document->GetSelection(selection.Out()), S_OK);
  EXPECT_EQ(selection->SetRange({0, 1}, {0, 6}), E_INVALIDARG);
  EXPECT_EQ(selection->SetRange({0, 1}, {1, 0}), S_OK);
}

// Channels calculated from a channel, also through other calculated channels, but not a channel
// whose number only starts with the same digits.
TEST(DataDocument, ChannelDependentsFollowFormulasTransitively) {
  HostPtr<DataDocument> document = TwoRecordDocument();
  for (int n = 0; n < 9; ++n) document->AddCalculatedChannel(L"S", L"", L"2 * t");  // channels 1-9
  ASSERT_EQ(10, document->AddCalculatedChannel(L"Peaks", L"", L"cappeakdet(ch1, 0.5)"));
  ASSERT_EQ(11, document->AddCalculatedChannel(L"Base", L"", L"CalcBase(CH11)"));
  ASSERT_EQ(12, document->AddCalculatedChannel(L"Other", L"", L"cappeakdet(ch10)"));
  uint32_t dependents = 1, second = 1;
  ASSERT_EQ(S_OK, document->GetChannelDependents(0, 0, 0xC0000000u, VARIANT_TRUE, &dependents, &second));
  EXPECT_EQ((1u << 10) | (1u << 11), dependents);
  EXPECT_EQ(0u, second);
  ASSERT_EQ(S_OK, document->GetChannelDependents(0, 12, 0xC0000000u, VARIANT_TRUE, &dependents, &second));
  EXPECT_EQ(0u, dependents);
  EXPECT_EQ(E_INVALIDARG, document->GetChannelDependents(0, 13, 0, VARIANT_TRUE, &dependents, &second));
}

TEST(DataDocument, RecordDataAnswersTheLastRecordAndChannelReaders) {
  HostPtr<DataDocument> document = TwoRecordDocument();
  HostPtr<IHostRecordData> data = HostPtr<IHostDataFile>(static_cast<IHostDataFile*>(document.Get()))
                                      .As<IHostRecordData>(IID_IHostRecordData);
  ASSERT_TRUE(data);
  int32_t value = -5;
  ASSERT_EQ(data->GetRecordValue(0, &value), S_OK);
  EXPECT_EQ(value, 1);  // also while the last record is still empty
  HostPtr<IUnknown> reader;
  EXPECT_EQ(data->QueryChannel(kChannelRequestGrowing | kChannelRequestSource | kChannelRequestDisplayed, 0, 0,
                               reader.Out()),
            S_OK);
  EXPECT_TRUE(reader.As<ISampleSource>(IID_ISampleSource));
  EXPECT_EQ(data->QueryChannel(kChannelRequestDisplayed, 0, 3, reader.Out()), E_INVALIDARG);
  EXPECT_FALSE(reader);
  EXPECT_EQ(data->QueryChannel(kChannelRequestDisplayed, 2, 0, reader.Out()), E_INVALIDARG);
}

}  // namespace
}  // namespace host
