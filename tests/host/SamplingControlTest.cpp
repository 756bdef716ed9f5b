// The preview's sampling control: hooked documents record the device's record block by block,
// wrapping round it; a device that is unplugged or a user who declines stops a start.
#include "host/data/SamplingControl.h"

#include "host/common/HostString.h"

#include <gtest/gtest.h>

#include <vector>

namespace host {
namespace {

Recording Device() {
  Recording device;
  device.channels.push_back({L"V", L"mV", L""});
  RecordData record = MakeEmptyRecord(1, 0.001, true);
  const float samples[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  record.samples[0]->Append(samples, 10);
  record.length = 10;
  device.records.push_back(std::move(record));
  return device;
}

HostPtr<DataDocument> EmptyDocument() {
  Recording empty;
  empty.channels.push_back({L"V", L"mV", L""});
  return DataDocument::Create(std::move(empty));
}

IUnknown* Unknown(const HostPtr<DataDocument>& document) { return static_cast<IHostDataFile*>(document.Get()); }

std::vector<float> Recorded(const DataDocument& document, size_t record) {
  const auto& samples = *document.Data().records[record].samples[0];
  return std::vector<float>(samples.Samples(), samples.Samples() + samples.Length());
}

TEST(SamplingControl, HookedDocumentsRecordUnevenBlocksWrappingRoundTheDevice) {
  HostPtr<SamplingControl> control = SamplingControl::Create(Device());
  HostPtr<DataDocument> first = EmptyDocument();
  HostPtr<DataDocument> second = EmptyDocument();
  ASSERT_EQ(control->Hook(Unknown(first)), S_OK);
  EXPECT_EQ(control->Hook(Unknown(first)), S_FALSE);
  EXPECT_EQ(control->Deliver(3), E_UNEXPECTED);
  ASSERT_EQ(control->Start(0.0, nullptr), S_OK);
  EXPECT_EQ(control->Start(0.0, nullptr), S_FALSE);
  VARIANT_BOOL sampling = VARIANT_FALSE;
  control->IsSampling(&sampling);
  EXPECT_EQ(sampling, VARIANT_TRUE);
  ASSERT_EQ(control->Deliver(3), S_OK);
  ASSERT_EQ(control->Hook(Unknown(second)), S_OK);  // joins the run at once
  ASSERT_EQ(control->Deliver(8), S_OK);
  ASSERT_EQ(control->Unhook(Unknown(second)), S_OK);
  EXPECT_EQ(control->Unhook(Unknown(second)), S_FALSE);
  ASSERT_EQ(control->Deliver(1), S_OK);
  ASSERT_EQ(control->Stop(0), S_OK);
  EXPECT_EQ(control->Stop(0), S_FALSE);
  EXPECT_EQ(Recorded(*first.Get(), 0), (std::vector<float>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}));
  EXPECT_TRUE(first->Data().records[0].samples[0]->IsComplete());
  EXPECT_EQ(Recorded(*second.Get(), 0), (std::vector<float>{3, 4, 5, 6, 7, 8, 9, 0}));
  EXPECT_TRUE(second->Data().records[0].samples[0]->IsComplete());
  // A new run is a new record.
  ASSERT_EQ(control->Start(0.0, nullptr), S_OK);
  ASSERT_EQ(control->Deliver(2), S_OK);
  control->Stop(0);
  EXPECT_EQ(Recorded(*first.Get(), 1), (std::vector<float>{0, 1}));
}

TEST(SamplingControl, UnpluggedDeviceExplainsAndDeclinedStartIsItsOwnAnswer) {
  HostPtr<SamplingControl> control = SamplingControl::Create(Device());
  QOR::IQORString* text = nullptr;
  VARIANT_BOOL may = VARIANT_FALSE;
  ASSERT_EQ(control->GetStartText(&text, &may), S_OK);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(may, VARIANT_TRUE);
  control->SetConnected(false);
  ASSERT_EQ(control->GetStartText(&text, &may), S_OK);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(StringText(text), L"No sampling device is connected.");
  text->Release();
  EXPECT_EQ(control->Start(0.0, nullptr), HRESULT_FROM_WIN32(ERROR_NOT_READY));
  control->SetConnected(true);
  control->SetUserDeclines(true);
  EXPECT_EQ(control->Start(0.0, nullptr), kSamplingDeclined);
  VARIANT_BOOL sampling = VARIANT_TRUE;
  control->IsSampling(&sampling);
  EXPECT_EQ(sampling, VARIANT_FALSE);
}

}  // namespace
}  // namespace host
