// The bounce check: an enumerator restarted anywhere between two events finds the later one
// exactly where a complete reading of the record found it.
#pragma once

#include "enumerators/framework/EventEnumDataGetter.h"
#include "base/NoValue.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/CheckMessages.h"
#include "selfcheck/EnumTestConfig.h"
#include "selfcheck/FormulaDataAdder.h"
#include "selfcheck/RecordEvents.h"
#include "selfcheck/TestDocumentAccess.h"
#include "selfcheck/TestRandomGenerator.h"

#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

namespace SelfCheck {
namespace BounceDetail {

// Where the two variants differ: the file and lines they report, how the recording is built and
// whether one enumerator serves every bounce.
struct Variant {
  const char* file;
  int32_t lineCreate;
  int32_t lineRead;
  int32_t lineEvents;
  int32_t lineEnum;
  int32_t lineCount;
  int32_t lineTick;
  int32_t lineFraction;
  bool deterministic;  // seed 0, every channel at 1000 Hz, no calculated channels
  bool reuse;
};

constexpr int32_t kBounces = 50;
constexpr int32_t kBufferRecords = 10;

// The last whole tick not after the event: a negative fraction puts the event before its tick.
template <class TBufType>
int32_t LastTickNotAfter(const TBufType& event) noexcept {
  return event.fraction < 0.0f ? event.tick - 1 : event.tick;
}

// Reads every record with a getter of its own; each must hold an event.
template <class TBufType>
std::vector<std::vector<TBufType>> ReadAllRecords(IHostRecordData* document, const EnumTestConfig& config,
                                                  const Variant& v) {
  std::vector<std::vector<TBufType>> results(static_cast<size_t>(config.mNumRecords > 0 ? config.mNumRecords : 0));
  ExtLib::EventEnumDataGetter edg(document, ExtLib::kGetterOffline);
  CheckThat(edg.CreateEnum(config.mEnumID, config.mArithString.c_str()),
            "edg.CreateEnum(config.mEnumID, config.mArithString)", v.file, v.lineCreate);
  for (size_t i = 0; i < results.size(); ++i) {
    CheckThat(EventEnumDataGetter::GetRecordData(edg, static_cast<int32_t>(i), results[i]),
              "edg.GetRecordData<TBufType>(i,results[i])", v.file, v.lineRead);
    const size_t nn = results[i].size();
    CheckThat(nn > 0, "nn>0", v.file, v.lineEvents);
  }
  return results;
}

// Restarts the getter's enumerator at start in record rec; its first event must be stored.
template <class TBufType>
void BounceOnce(ExtLib::EventEnumDataGetter& getter, const EnumTestConfig& config, int32_t rec, int32_t start,
                const TBufType& stored, std::vector<TBufType>& buffer, const Variant& v) {
  if (!v.reuse) {
    getter.ClearSources();
    getter.CreateEnum(config.mEnumID, config.mArithString.c_str());  // a failure shows below
  }
  getter.SetSources(true, TickPosition(rec, start));  // a failure shows as no event or another one
  {
    const EventEnumDataGetter::RunStopper stopper(getter);
    const QOR::ComPtr<IEnumEventEx> theenum = getter.GetEventEnum();
    CheckThat(static_cast<bool>(theenum), "theenum", v.file, v.lineEnum);
    int32_t n = 0;
    int32_t nut = 0;
    theenum->Next(static_cast<int32_t>(sizeof(TBufType)) * kBufferRecords, kRecordEndOffset, buffer.data(), &n,
                  &nut);  // the answer shows in n and the first record
    CheckThat(n > 0, "n>0", v.file, v.lineCount);
  }
  const int32_t tp1 = buffer[0].tick;
  const int32_t tp2 = stored.tick;
  CheckThat(tp1 == tp2, "tp1 == tp2", v.file, v.lineTick, BounceMessage(tp2, tp1));
  const float difference = buffer[0].fraction - stored.fraction;
  CheckThat(std::fabs(difference) < 0.01f, "fabs( to1 - to2 ) < 0.01", v.file, v.lineFraction);
}

template <class TBufType>
void Run(const EnumTestConfig& config, const Variant& v) {
  TestRandomGenerator random(v.deterministic ? 0 : static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr))));
  std::vector<TBufType> buffer(kBufferRecords);
  const QOR::ComPtr<IHostRecordData> document = NewTestDocument(v.file, v.lineCreate);
  const QOR::ComPtr<FormulaDataAdder> adder = FormulaDataAdder::Create(document.Get());
  for (int32_t r = 0; r < config.mNumRecords; ++r) {
    if (v.deterministic) adder->AddRecordAtOneRate(config.mChannelFormulas, config.mNumSamples, 1000.0, 0.0);
    else adder->AddRecord(config.mChannelFormulas, config.mNumSamples, config.mSampleRates, 0.0);
  }
  if (!v.deterministic) AddCalculatedChannels(document.Get(), config.mVirtualChannels);
  const std::vector<std::vector<TBufType>> results = ReadAllRecords<TBufType>(document.Get(), config, v);

  ExtLib::EventEnumDataGetter getter(document.Get(), ExtLib::kGetterOffline);
  if (v.reuse) getter.CreateEnum(config.mEnumID, config.mArithString.c_str());  // a failure shows below
  for (int32_t bounce = 0; bounce < kBounces; ++bounce) {
    // Draws, in this order: the record, the event, and the start when there is room for one.
    const int32_t rec = random.Draw(config.mNumRecords - 1);
    const std::vector<TBufType>& events = results[static_cast<size_t>(rec)];
    const int32_t ev = random.Draw(static_cast<int32_t>(events.size()) - 1);
    const TBufType& stored = events[static_cast<size_t>(ev)];
    const int32_t lo = ev > 0 ? events[static_cast<size_t>(ev - 1)].tick + 1 : 0;
    const int32_t hi = LastTickNotAfter(stored);
    const int32_t start = lo < hi ? lo + random.Draw(hi - lo) : hi;
    BounceOnce(getter, config, rec, start, stored, buffer, v);
  }
}

}  // namespace BounceDetail

// 50 bounces over mNumRecords records of the configuration's recording, drawn from a generator
// started from the clock; reuse: one enumerator for every bounce, else a new one each time.
template <class TBufType>
void CheckBounce(const EnumTestConfig& config, int reuse) {
  const BounceDetail::Variant variant{"UnitTestHelperLib/TestStandardRoutinescpp", 120, 123, 125, 169, 170, 192, 194,
                                      false, reuse != 0};
  BounceDetail::Run<TBufType>(config, variant);
}

// The same bounces every run: seed 0, every channel at 1000 Hz, no calculated channels, one
// enumerator for all.
template <class TBufType>
void CheckDeterministicBounce(const EnumTestConfig& config) {
  const BounceDetail::Variant variant{"test_ZREnums", 64, 67, 69, 115, 116, 138, 140, true, true};
  BounceDetail::Run<TBufType>(config, variant);
}

}  // namespace SelfCheck
