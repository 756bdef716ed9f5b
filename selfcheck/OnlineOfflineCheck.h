// The online-against-offline check: an enumerator fed while its record is sampled yields the
// same events, in the same order, as over the finished record.
#pragma once

#include "enumerators/framework/EventEnumDataGetter.h"
#include "base/NoValue.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/CheckMessages.h"
#include "selfcheck/EnumTestConfig.h"
#include "selfcheck/EventHelper.h"
#include "selfcheck/FormulaDataAdder.h"
#include "selfcheck/NextCallLimit.h"
#include "selfcheck/NextCaller.h"
#include "selfcheck/RecordEvents.h"
#include "selfcheck/TestDocumentAccess.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace SelfCheck {
namespace OnlineOfflineDetail {

constexpr char kFile[] = "UnitTestHelperLib/TestStandardRoutinescpp";
constexpr int32_t kLineOfflineDocument = 240;
constexpr int32_t kLineCreate = 246;
constexpr int32_t kLineRead = 247;
constexpr int32_t kLineEvents = 248;
constexpr int32_t kLineOnlineDocument = 260;
constexpr int32_t kLineOnlineEnum = 285;
constexpr int32_t kLineLastSize = 296;
constexpr int32_t kLineLastSame = 300;
constexpr int32_t kLineResult = 310;
constexpr int32_t kLineProgress = 311;
constexpr int32_t kLineSize = 319;
constexpr int32_t kLineSame = 323;
constexpr int32_t kLineCount = 336;
constexpr int32_t kBufferRecords = 20;
// The ticks each feed adds: 10 first, then single ticks, so that every sample is once the last one sampled, and
// sizes that end the feeds on other ticks.
constexpr int32_t kFeedTicks[] = {10, 1, 7, 64};

template <class TBufType>
std::vector<TBufType> ReadOffline(const EnumTestConfig& config) {
  std::vector<TBufType> vec;
  const QOR::ComPtr<IHostRecordData> document = NewTestDocument(kFile, kLineOfflineDocument);
  const QOR::ComPtr<FormulaDataAdder> adder = FormulaDataAdder::Create(document.Get());
  adder->AddRecord(config.mChannelFormulas, config.mNumSamples, config.mSampleRates, 0.0);
  AddCalculatedChannels(document.Get(), config.mVirtualChannels);
  ExtLib::EventEnumDataGetter edg(document.Get(), ExtLib::kGetterOffline);
  CheckThat(edg.CreateEnum(config.mEnumID, config.mArithString.c_str()),
            "edg.CreateEnum(config.mEnumID, config.mArithString)", kFile, kLineCreate);
  CheckThat(EventEnumDataGetter::GetRecordData(edg, 0, vec), "edg.GetRecordData<TBufType>(0,vec)", kFile, kLineRead);
  CheckThat(vec.size() > 0, "vec.size()>0", kFile, kLineEvents,
            QOR::String(L"OnlineOffline Comparison needs some events to work with."));
  return vec;
}

// Compares the nRetd online records in buf with the offline ones from index ndx on.
template <class TBufType>
void CompareBatch(const std::vector<TBufType>& buf, int32_t nRetd, const std::vector<TBufType>& vec, int32_t ndx,
                  int32_t lineSize, int32_t lineSame) {
  for (int32_t i = 0; i < nRetd && i < kBufferRecords; ++i) {
    const size_t offline = static_cast<size_t>(ndx) + static_cast<size_t>(i);
    CheckThat(vec.size() > offline, "vec.size() > ndx+i", kFile, lineSize);
    const TBufType& online = buf[static_cast<size_t>(i)];
    const QOR::String message = EventDiffersMessage(static_cast<uint32_t>(offline), EventHelper::toString(online),
                                                    EventHelper::toString(vec[offline]));
    CheckThat(EventHelper::same(online, vec[offline]), "EventHelper::same(buf[i],vec[ndx+i])", kFile, lineSame,
              message);
  }
}

// Samples the recording again, feedTicks at a time, and compares what a second enumerator returns while it
// follows with the offline events vec.
template <class TBufType>
void CompareOnline(const EnumTestConfig& config, const std::vector<TBufType>& vec, int32_t feedTicks) {
  std::vector<TBufType> buf(kBufferRecords);
  int32_t nRetd = 0;
  int32_t nut = 0;
  HRESULT hr = S_OK;
  int32_t ndx = 0;
  NextCaller caller{buf.data(), &nRetd, &nut, &hr, static_cast<int32_t>(sizeof(TBufType)) * kBufferRecords, nullptr};
  const QOR::ComPtr<IHostRecordData> document = NewTestDocument(kFile, kLineOnlineDocument);
  const QOR::ComPtr<FormulaDataAdder> adder = FormulaDataAdder::Create(document.Get());
  AddCalculatedChannels(document.Get(), config.mVirtualChannels);
  // The getter calls the caller itself, so the enumerator stored in it below is seen.
  ExtLib::EventEnumDataGetter edg(document.Get(), std::ref(caller), ExtLib::kGetterRegistersAsSink);
  adder->StartAdding(config.mChannelFormulas, config.mNumSamples, config.mSampleRates, 0.0);
  adder->AddTicks(feedTicks);
  int32_t ticksFed = feedTicks;
  edg.CreateEnum(config.mEnumID, config.mArithString.c_str());  // made offline just before
  edg.SetSources(true, TickPosition(0, 0));
  const QOR::ComPtr<IEnumEventEx> theenum = edg.GetEventEnum();
  CheckThat(static_cast<bool>(theenum), "theenum", kFile, kLineOnlineEnum);
  caller.enumerator = theenum.Get();
  bool recordEnded = false;

  NextCallLimit limit(config.mNumSamples, kFile, kLineProgress);
  while (ticksFed < config.mNumSamples || !recordEnded) {
    limit.Count();
    caller();
    if (ticksFed >= config.mNumSamples && !recordEnded) {
      // All data is in: compare this batch, then end the record; the stop callback's Next
      // brings what the enumerator completes only at the record's end.
      CompareBatch(buf, nRetd, vec, ndx, kLineLastSize, kLineLastSame);
      ndx += nRetd;
      adder->FinishSampling();
      recordEnded = true;
    }
    CheckThat(hr == S_OK || nut == kRecordEndOffset, "hr==S_OK || nut==kRecordEndOffset", kFile, kLineResult);
    if (nRetd < kBufferRecords && !recordEnded) {
      adder->AddTicks(feedTicks);
      ticksFed += feedTicks;
    }
    CompareBatch(buf, nRetd, vec, ndx, kLineSize, kLineSame);
    ndx += nRetd;
  }
  if (static_cast<size_t>(ndx) != vec.size())
    FailCheck("ndx==vec.size()", kFile, kLineCount, EventCountMessage(static_cast<uint32_t>(vec.size()), ndx));
}

}  // namespace OnlineOfflineDetail

// The events of the finished record, then those of the record while it is sampled, for each feed size in turn.
template <class TBufType>
void CheckOnlineOfflineComparison(const EnumTestConfig& config) {
  using namespace OnlineOfflineDetail;
  const std::vector<TBufType> vec = ReadOffline<TBufType>(config);
  for (const int32_t feedTicks : kFeedTicks) CompareOnline(config, vec, feedTicks);
}

}  // namespace SelfCheck
