// The find check: IEnumEventEx::Find and GetPosition around known events, forwards, backwards
// and in the empty gap between two neighbouring events.
#pragma once

#include "enumerators/framework/EventEnumDataGetter.h"
#include "enumerators/framework/NoValue.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/EnumTestConfig.h"
#include "selfcheck/FormulaDataAdder.h"
#include "selfcheck/RecordEvents.h"
#include "selfcheck/TestDocumentAccess.h"
#include "selfcheck/TestRandomGenerator.h"

#include <cstdint>
#include <ctime>
#include <vector>

namespace SelfCheck {
namespace FindDetail {

// Lines are the variant's base line plus these offsets.
enum Offset : int32_t {
  kCreate = 0,
  kRead = 1,
  kEvents = 2,
  kProbeEnum = 12,
  kForwardOpen = 24,
  kForwardOpenPos = 26,
  kForwardEdge = 30,
  kForwardEdgePos = 32,
  kForwardGap = 39,
  kForwardGapPos = 42,
  kBackwardOpen = 49,
  kBackwardOpenPos = 52,
  kBackwardEdge = 56,
  kBackwardEdgePos = 59,
  kBackwardGap = 65,
  kBackwardGapPos = 68,
  kLastEnum = 79,
  kStartResult = 80,
  kStartPos = 81,
  kLastResult = 83,
  kLastPosResult = 84,
  kLastPos = 85,
};

constexpr int32_t kIterations = 100;

struct Variant {
  const char* file;
  int32_t baseLine;
  bool deterministic;  // seed 0, every channel at 1000 Hz, no calculated channels
};

class Prober {
 public:
  Prober(IEnumEventEx& theenum, const Variant& v) noexcept : mEnum(theenum), mVariant(v) {}

  // One Find whose result must be expected, then the position it left.
  int32_t Probe(int32_t backward, int32_t position, int32_t start, int32_t end, HRESULT expected, Offset line) {
    const HRESULT hr = mEnum.Find(backward, position, start, end);
    CheckThat(hr == expected, expected == S_OK ? "hr==S_OK" : "hr==S_FALSE", mVariant.file, mVariant.baseLine + line);
    int32_t nPos = -1;
    mEnum.GetPosition(&nPos);  // the answer shows in the position
    return nPos;
  }

  void Found(int32_t nPos, int32_t expected, Offset line, bool backwards) {
    CheckThat(nPos == expected, backwards ? "nPos == pos0" : "nPos == pos1", mVariant.file, mVariant.baseLine + line,
              QOR::String(backwards ? L"Find fails to find known event going backwards."
                                    : L"Find fails to find known event going forwards."));
  }

  void InGap(int32_t nPos, int32_t pos0, int32_t pos1, Offset line, const wchar_t* explanation) {
    CheckThat(nPos > pos0 && nPos <= pos1, "nPos>pos0 && nPos<=pos1", mVariant.file, mVariant.baseLine + line,
              QOR::String(explanation));
  }

  // The probes of one kind (0 to 3) between the neighbouring events at pos0 and pos1.
  void Run(int32_t kind, int32_t probe, int32_t pos0, int32_t pos1) {
    if (kind == 0) {
      Found(Probe(0, probe, pos0 + 1, kRecordEndOffset, S_OK, kForwardOpen), pos1, kForwardOpenPos, false);
      Found(Probe(0, probe, pos0 + 1, pos1 + 1, S_OK, kForwardEdge), pos1, kForwardEdgePos, false);
      return;
    }
    if (kind == 1) {
      InGap(Probe(0, pos0 + 1, pos0 + 1, pos1, S_FALSE, kForwardGap), pos0, pos1, kForwardGapPos, L"");
      return;
    }
    if (kind == 2) {
      Found(Probe(1, probe, 0, pos1, S_OK, kBackwardOpen), pos0, kBackwardOpenPos, true);
      Found(Probe(1, probe, pos0, pos1, S_OK, kBackwardEdge), pos0, kBackwardEdgePos, true);
    }
    InGap(Probe(1, pos1 - 1, pos0 + 1, pos1, S_FALSE, kBackwardGap), pos0, pos1, kBackwardGapPos,
          L"Bad position returned by Find when going backwards and no event found.");
  }

 private:
  IEnumEventEx& mEnum;
  const Variant& mVariant;
};

// A new enumerator over the document started at tick; the check fails at line without one.
inline QOR::ComPtr<IEnumEventEx> StartedEnum(ExtLib::EventEnumDataGetter& edg, const EnumTestConfig& config,
                                             int32_t tick, const Variant& v, Offset line) {
  edg.CreateEnum(config.mEnumID, config.mArithString.c_str());  // made in the first phase already
  edg.SetSources(true, TickPosition(0, tick));                   // a failure shows in the probes
  QOR::ComPtr<IEnumEventEx> theenum = edg.GetEventEnum();
  CheckThat(static_cast<bool>(theenum), "theenum", v.file, v.baseLine + line);
  return theenum;
}

template <class TBufType>
void Run(const EnumTestConfig& config, const Variant& v) {
  std::vector<TBufType> vec;
  TestRandomGenerator random(v.deterministic ? 0 : static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr))));
  const QOR::ComPtr<IHostRecordData> document = NewTestDocument(v.file, v.baseLine);
  const QOR::ComPtr<FormulaDataAdder> adder = FormulaDataAdder::Create(document.Get());
  if (v.deterministic) {
    adder->AddRecordAtOneRate(config.mChannelFormulas, config.mNumSamples, 1000.0, 0.0);
  } else {
    adder->AddRecord(config.mChannelFormulas, config.mNumSamples, config.mSampleRates, 0.0);
    AddCalculatedChannels(document.Get(), config.mVirtualChannels);
  }
  {
    ExtLib::EventEnumDataGetter edg(document.Get(), ExtLib::kGetterOffline);
    CheckThat(edg.CreateEnum(config.mEnumID, config.mArithString.c_str()),
              "edg.CreateEnum(config.mEnumID, config.mArithString)", v.file, v.baseLine + kCreate);
    CheckThat(EventEnumDataGetter::GetRecordData(edg, 0, vec), "edg.GetRecordData<TBufType>(0,vec)", v.file,
              v.baseLine + kRead);
    CheckThat(vec.size() > 2, "vec.size()>2", v.file, v.baseLine + kEvents,
              QOR::String(L"EventEnumTestFind Comparison needs some events to work with."));
  }
  {
    ExtLib::EventEnumDataGetter edg(document.Get(), ExtLib::kGetterOffline);
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
  ExtLib::EventEnumDataGetter edg(document.Get(), ExtLib::kGetterOffline);
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
