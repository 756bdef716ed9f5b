// The set-sources check: an enumerator whose sources are set from a tick reports that tick as
// its position.
#pragma once

#include "enumerators/framework/EventEnumDataGetter.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/CheckMessages.h"
#include "selfcheck/EnumTestConfig.h"
#include "selfcheck/FormulaDataAdder.h"
#include "selfcheck/RecordEvents.h"
#include "selfcheck/TestDocumentAccess.h"

#include <cstdint>
#include <vector>

namespace SelfCheck {
namespace SetSourcesDetail {

constexpr char kFile[] = "UnitTestHelperLib/TestStandardRoutinescpp";
constexpr int32_t kTicks = 17000;
constexpr int32_t kLineDocument = 786;
constexpr int32_t kLineCreate1 = 790;
constexpr int32_t kLineRead = 791;
constexpr int32_t kLineCreate2 = 794;
constexpr int32_t kLineSetSources = 797;
constexpr int32_t kLinePosition = 807;

}  // namespace SetSourcesDetail

// One record of 17000 ticks is read completely with one getter; a second, fresh enumerator
// started at tick 16999 while the first still exists must report 16999.
template <class TBufType>
void CheckSetSources(const EnumTestConfig& config) {
  using namespace SetSourcesDetail;
  if (config.mUseDocumentStart) return;  // positions from the document are not checked here
  const int32_t ticknum = kTicks - 1;
  const QOR::ComPtr<IHostRecordData> document = NewTestDocument(kFile, kLineDocument);
  const QOR::ComPtr<FormulaDataAdder> adder = FormulaDataAdder::Create(document.Get());
  adder->AddRecord(config.mChannelFormulas, kTicks, config.mSampleRates, 0.0);
  AddCalculatedChannels(document.Get(), config.mVirtualChannels);

  ExtLib::EventEnumDataGetter edg1(document.Get(), ExtLib::kGetterOffline);
  CheckThat(edg1.CreateEnum(config.mEnumID, config.mArithString.c_str()),
            "edg1.CreateEnum(config.mEnumID, config.mArithString)", kFile, kLineCreate1);
  std::vector<TBufType> vec;
  CheckThat(EventEnumDataGetter::GetRecordData(edg1, 0, vec), "edg1.GetRecordData<TBufType>(0,vec)", kFile, kLineRead);

  ExtLib::EventEnumDataGetter edg2(document.Get(), ExtLib::kGetterOffline);
  CheckThat(edg2.CreateEnum(config.mEnumID, config.mArithString.c_str()),
            "edg2.CreateEnum(config.mEnumID, config.mArithString)", kFile, kLineCreate2);
  CheckThat(edg2.SetSources(true, TickPosition(0, ticknum)), "edg2.SetSources(TickPosition(0,ticknum))", kFile,
            kLineSetSources);
  const EventEnumDataGetter::RunStopper stopper(edg2);
  int32_t position = -1;
  if (const QOR::ComPtr<IEnumEventEx> events = edg2.GetEventEnum())
    events->GetPosition(&position);  // the answer shows in the position
  const bool posok = position == ticknum;
  if (!posok) FailCheck("posok", kFile, kLinePosition, PositionMessage(position, ticknum, kTicks));
}

}  // namespace SelfCheck
