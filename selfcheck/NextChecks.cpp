// The next checks: Next's answers, ends and positions offline and online.
#include "selfcheck/NextChecks.h"

#include "enumerators/framework/EventEnumDataGetter.h"
#include "base/NoValue.h"
#include "hostapi/CalcEnum.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/FormulaDataAdder.h"
#include "selfcheck/NextCallLimit.h"
#include "selfcheck/TestDocumentAccess.h"

#include <vector>

namespace SelfCheck {

namespace {

constexpr char kFile[] = "TestStandardRoutines";
constexpr int32_t kMinSamples = 200;

// Offline.
constexpr int32_t kLineOfflineSamples = 82;
constexpr int32_t kLineOfflineDocument = 90;
constexpr int32_t kLineOfflineEnum = 117;
constexpr int32_t kLineFirstResult = 121;
constexpr int32_t kLineFirstFalse = 122;
constexpr int32_t kLineFirstTick = 123;
constexpr int32_t kLineFirstCount = 124;
constexpr int32_t kLineFirstProgress = 125;
constexpr int32_t kLineFirstEnd = 128;
constexpr int32_t kLineSecondResult = 134;
constexpr int32_t kLineSecondFalse = 135;
constexpr int32_t kLineSecondRepeat = 138;
constexpr int32_t kLineSecondProgress = 139;
constexpr int32_t kLineFinalResult = 143;
constexpr int32_t kLineFinalTick = 144;
constexpr int32_t kOfflineBufferRecords = 5;
constexpr int32_t kMaxEndAnswers = 4;

// Online.
constexpr int32_t kLineOnlineSamples = 158;
constexpr int32_t kLineOnlineDocument = 166;
constexpr int32_t kLineOnlineEnum = 185;
constexpr int32_t kLineOnlineResult = 194;
constexpr int32_t kLineOnlineFalse = 195;
constexpr int32_t kLineOnlineTick = 196;
constexpr int32_t kLineOnlineProgress = 197;
constexpr int32_t kLineOnlineEnd = 199;
constexpr int32_t kOnlineBufferRecords = 50;
constexpr int32_t kFeedTicks = 100;

const QOR::String kBadResult(L"Bad HResult from Next.");

struct NextAnswer {
  HRESULT hr = S_OK;
  int32_t returned = 0;
  int32_t nut = 0;
};

NextAnswer CallNext(IEnumEventEx& events, std::vector<unsigned char>& buffer, int32_t endTick) {
  NextAnswer answer;
  answer.hr = events.Next(static_cast<int32_t>(buffer.size()), endTick, buffer.data(), &answer.returned, &answer.nut);
  return answer;
}

// The first pass stops at endTick; Next must fill the buffer unless it reached endTick or the end.
void RunFirstPass(IEnumEventEx& events, std::vector<unsigned char>& buffer, int32_t endTick, int32_t numsamples,
                  NextAnswer& last) {
  NextCallLimit limit(numsamples, kFile, kLineFirstProgress);
  while (last.nut < endTick) {
    limit.Count();
    last = CallNext(events, buffer, endTick);
    const HRESULT hr = last.hr;
    const int32_t nut = last.nut;
    const int32_t nRetd = last.returned;
    CheckThat(hr == S_OK || hr == S_FALSE, "hr==S_OK || hr==S_FALSE", kFile, kLineFirstResult, kBadResult);
    CheckThat(nut == kRecordEndOffset || hr == S_OK, "nut==kRecordEndOffset || hr==S_OK", kFile, kLineFirstFalse,
              kBadResult);
    CheckThat(nut <= endTick || nut == kRecordEndOffset, "nut<=endTick || nut==kRecordEndOffset", kFile,
              kLineFirstTick, QOR::String(L"Bad nextUnexaminedTick from Next."));
    CheckThat(nRetd == kOfflineBufferRecords || nut == endTick || nut == kRecordEndOffset,
              "nRetd == numbufelems || nut == endTick || nut == kRecordEndOffset", kFile, kLineFirstCount,
              QOR::String(L"nRetd and nextUnexaminedTick inconsistent in Next."));
  }
  CheckThat(last.nut == kRecordEndOffset || last.nut == endTick, "nut == kRecordEndOffset || nut == endTick", kFile,
            kLineFirstEnd,
            QOR::String(L"Enumerators must be positioned either at endTick or at kRecordEndOffset following a "
                        L"completed call to next."));
}

// The second pass reads on to the record's end, which must come as S_FALSE with kRecordEndOffset.
void RunSecondPass(IEnumEventEx& events, std::vector<unsigned char>& buffer, int32_t numsamples, NextAnswer& last) {
  NextCallLimit limit(numsamples, kFile, kLineSecondProgress);
  int32_t preventinfiniteloop = 0;
  while (last.nut != kRecordEndOffset && last.nut <= numsamples) {
    limit.Count();
    last = CallNext(events, buffer, kRecordEndOffset);
    const HRESULT hr = last.hr;
    const int32_t nut = last.nut;
    CheckThat(hr == S_OK || hr == S_FALSE, "hr==S_OK || hr==S_FALSE", kFile, kLineSecondResult, kBadResult);
    CheckThat(nut == kRecordEndOffset || hr == S_OK, "nut==kRecordEndOffset || hr==S_OK", kFile, kLineSecondFalse,
              kBadResult);
    if (nut == numsamples) {
      ++preventinfiniteloop;
      CheckThat(preventinfiniteloop < kMaxEndAnswers, "preventinfiniteloop<4", kFile, kLineSecondRepeat,
                QOR::String(L"Enumerator isn't returning kRecordEndOffset at end of record"));
    }
  }
  CheckThat(last.hr == S_FALSE, "hr == S_FALSE", kFile, kLineFinalResult,
            QOR::String(L"Enumerators should return S_FALSE when out of data and not filling."));
  CheckThat(last.nut == kRecordEndOffset, "nut==kRecordEndOffset", kFile, kLineFinalTick,
            QOR::String(L"When no more events are going to be available Enumerators are supposed to return "
                        L"kRecordEndOffset as their position. See IEventEnums.idl."));
}

}  // namespace

void CheckNextOffline(const EnumTestConfig& config, int32_t recordSize) {
  const int32_t numsamples = config.mNumSamples;
  CheckThat(numsamples > kMinSamples, "numsamples>200", kFile, kLineOfflineSamples);
  std::vector<unsigned char> buffer(static_cast<size_t>(kOfflineBufferRecords) * static_cast<size_t>(recordSize));
  const QOR::ComPtr<IHostRecordData> document = NewTestDocument(kFile, kLineOfflineDocument);
  const QOR::ComPtr<FormulaDataAdder> adder = FormulaDataAdder::Create(document.Get());
  adder->AddRecordAtOneRate(config.mChannelFormulas, numsamples, 1000.0, 0.0);
  AddCalculatedChannels(document.Get(), config.mVirtualChannels);

  ExtLib::EventEnumDataGetter getter(document.Get(), ExtLib::kGetterOffline);
  getter.CreateEnum(config.mEnumID, config.mArithString.c_str());  // a failure shows below
  getter.SetSources(true, TickPosition(0, numsamples / 3));
  const QOR::ComPtr<IEnumEventEx> theenum = getter.GetEventEnum();
  CheckThat(static_cast<bool>(theenum), "theenum", kFile, kLineOfflineEnum);

  NextAnswer last;
  RunFirstPass(*theenum, buffer, numsamples - 10, numsamples, last);
  RunSecondPass(*theenum, buffer, numsamples, last);
}

void CheckNextOnline(const EnumTestConfig& config, int32_t recordSize) {
  const int32_t numsamples = config.mNumSamples;
  CheckThat(numsamples > kMinSamples, "numsamples>200", kFile, kLineOnlineSamples);
  std::vector<unsigned char> buffer(static_cast<size_t>(kOnlineBufferRecords) * static_cast<size_t>(recordSize));
  const QOR::ComPtr<IHostRecordData> document = NewTestDocument(kFile, kLineOnlineDocument);
  const QOR::ComPtr<FormulaDataAdder> adder = FormulaDataAdder::Create(document.Get());
  AddCalculatedChannels(document.Get(), config.mVirtualChannels);
  adder->StartAddingAtOneRate(config.mChannelFormulas, numsamples, 1000.0, 0.0);
  adder->AddTicks(kFeedTicks);
  int32_t itot = kFeedTicks;

  ExtLib::EventEnumDataGetter getter(document.Get(), ExtLib::kGetterRegistersAsSink);
  getter.CreateEnum(config.mEnumID, config.mArithString.c_str());  // a failure shows below
  getter.SetSources(true, TickPosition(0, 0));
  const QOR::ComPtr<IEnumEventEx> theenum = getter.GetEventEnum();
  CheckThat(static_cast<bool>(theenum), "theenum", kFile, kLineOnlineEnum);

  NextCallLimit limit(numsamples, kFile, kLineOnlineProgress);
  NextAnswer last;
  last.returned = kOnlineBufferRecords;
  for (;;) {
    if (itot >= numsamples && last.returned == 0) break;
    if (last.returned < kOnlineBufferRecords) {
      adder->AddTicks(kFeedTicks);
      itot += kFeedTicks;
    }
    limit.Count();
    last = CallNext(*theenum, buffer, kRecordEndOffset);
    const HRESULT hr = last.hr;
    const int32_t nut = last.nut;
    if (hr == S_FALSE) {
      CheckThat(hr == S_OK || nut == kRecordEndOffset, "hr==S_OK || nut==kRecordEndOffset", kFile, kLineOnlineFalse,
                QOR::String(L"S_FALSE and kRecordEndOffset must go together."));
    } else if (hr == S_OK) {
      CheckThat(nut == kRecordEndOffset || nut <= itot, "nut==kRecordEndOffset || nut <= itot", kFile,
                kLineOnlineTick, QOR::String(L"NextUnusedTick returned by Next is bad."));
    } else {
      CheckThat(hr == S_OK || hr == S_FALSE, "hr==S_OK || hr==S_FALSE", kFile, kLineOnlineResult,
                QOR::String(L"Unexpected HResult from Next"));
    }
  }
  CheckThat(last.nut <= numsamples || last.nut == kRecordEndOffset, "nut<=numsamples || nut==kRecordEndOffset", kFile,
            kLineOnlineEnd);
  getter.Stop();
  adder->FinishSampling();
}

}  // namespace SelfCheck
