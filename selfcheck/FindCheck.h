// The find check: IEnumEventEx::Find and GetPosition around known events, forwards, backwards
// and in the empty gap between two neighbouring events.
#pragma once

#include "enumerators/framework/EventEnumDataGetter.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/EnumTestConfig.h"
#include "selfcheck/FindProbes.h"
#include "selfcheck/FormulaDataAdder.h"
#include "selfcheck/RecordEvents.h"
#include "selfcheck/TestDocumentAccess.h"
#include "selfcheck/TestRandomGenerator.h"

#include <cstdint>
#include <ctime>
#include <vector>

namespace SelfCheck {
namespace FindDetail {

constexpr int32_t kIterations = 100;

// Phase 1: the reference events of record 0, more than two of them.
template <class TBufType>
std::vector<TBufType> ReadReference(IHostRecordData* document, const EnumTestConfig& config, const Variant& v) {
  std::vector<TBufType> vec;
  ExtLib::EventEnumDataGetter edg(document, ExtLib::kGetterOffline);
  CheckThat(edg.CreateEnum(config.mEnumID, config.mArithString.c_str()),
            "edg.CreateEnum(config.mEnumID, config.mArithString)", v.file, v.baseLine + kCreate);
  CheckThat(EventEnumDataGetter::GetRecordData(edg, 0, vec), "edg.GetRecordData<TBufType>(0,vec)", v.file,
            v.baseLine + kRead);
  CheckThat(vec.size() > 2, "vec.size()>2", v.file, v.baseLine + kEvents,
            QOR::String(L"EventEnumTestFind Comparison needs some events to work with."));
  return vec;
}

// Phase 2: one enumerator started at a random tick, probed 100 times between random neighbours.
template <class TBufType>
void ProbeAtRandom(IHostRecordData* document, const EnumTestConfig& config, const std::vector<TBufType>& vec,
                   TestRandomGenerator& random, const Variant& v) {
  ExtLib::EventEnumDataGetter edg(document, ExtLib::kGetterOffline);
  const int32_t ticknum = random.Draw(config.mNumSamples - 1);
  const QOR::ComPtr<IEnumEventEx> theenum = StartedEnum(edg, config, ticknum, v, kProbeEnum);
  Prober prober(*theenum, v);
  const int32_t n = static_cast<int32_t>(vec.size());
  for (int32_t iteration = 0; iteration < kIterations; ++iteration) {
    const int32_t k = random.Draw(n - 2);
    const int32_t pos0 = vec[static_cast<size_t>(k)].tick;
    const int32_t pos1 = vec[static_cast<size_t>(k) + 1].tick;
    const int32_t probe = pos0 + 1 + random.Draw(pos1 - pos0 - 2);
    const int32_t kind = static_cast<int32_t>(static_cast<double>(random.Next()) * 3.999999999);
    prober.Run(kind, probe, pos0, pos1);
  }
}

// Phase 3: started at the record's last sample, the backward search finds the last event.
template <class TBufType>
void FindLastFromEnd(IHostRecordData* document, const EnumTestConfig& config, const std::vector<TBufType>& vec,
                     const Variant& v) {
  ExtLib::EventEnumDataGetter edg(document, ExtLib::kGetterOffline);
  const int32_t numsamples = config.mNumSamples;
  const QOR::ComPtr<IEnumEventEx> theenum = StartedEnum(edg, config, numsamples - 1, v, kLastEnum);
  int32_t startpos = -1;
  CheckThat(theenum->GetPosition(&startpos) == S_OK, "theenum->GetPosition(&startpos)==S_OK", v.file,
            v.baseLine + kStartResult);
  CheckThat(startpos == numsamples - 1, "startpos==numsamples-1", v.file, v.baseLine + kStartPos);
  CheckThat(theenum->Find(1, startpos, 0, numsamples) == S_OK, "hr==S_OK", v.file, v.baseLine + kLastResult);
  int32_t pos = -1;
  CheckThat(theenum->GetPosition(&pos) == S_OK, "theenum->GetPosition(&pos)==S_OK", v.file,
            v.baseLine + kLastPosResult);
  CheckThat(pos == vec[vec.size() - 1].tick, "pos==vec[vec.size()-1].GetPosition()", v.file, v.baseLine + kLastPos);
}

template <class TBufType>
void Run(const EnumTestConfig& config, const Variant& v) {
  TestRandomGenerator random(v.deterministic ? 0 : static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr))));
  const QOR::ComPtr<IHostRecordData> document = NewTestDocument(v.file, v.baseLine);
  const QOR::ComPtr<FormulaDataAdder> adder = FormulaDataAdder::Create(document.Get());
  if (v.deterministic) {
    adder->AddRecordAtOneRate(config.mChannelFormulas, config.mNumSamples, 1000.0, 0.0);
  } else {
    adder->AddRecord(config.mChannelFormulas, config.mNumSamples, config.mSampleRates, 0.0);
    AddCalculatedChannels(document.Get(), config.mVirtualChannels);
  }
  const std::vector<TBufType> vec = ReadReference<TBufType>(document.Get(), config, v);
  ProbeAtRandom(document.Get(), config, vec, random, v);
  FindLastFromEnd(document.Get(), config, vec, v);
}

}  // namespace FindDetail

// 100 random probes from a generator started from the clock, over the configuration's recording.
template <class TBufType>
void CheckFind(const EnumTestConfig& config) {
  FindDetail::Run<TBufType>(config, FindDetail::Variant{"UnitTestHelperLib/TestStandardRoutinescpp", 366, false});
}

// The same probes every run; baseLine names the copy (166, 394 or 558).
template <class TBufType>
void CheckDeterministicFind(const EnumTestConfig& config, int32_t baseLine) {
  FindDetail::Run<TBufType>(config, FindDetail::Variant{"test_ZREnums", baseLine, true});
}

}  // namespace SelfCheck
