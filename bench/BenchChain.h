// The chains the benchmark can run: each registers a name and a builder from its own source file.
#pragma once

#include <memory>

#include "hostapi/CalcEnum.h"
#include "hostclient/ComPtr.h"

namespace host {
class ChannelRecord;
}

namespace bench {

// Builds a chain over one complete channel record (tick period in seconds) and hands out its outermost
// enumerator, ready for Next from tick 0. Answers a failure HRESULT when the chain cannot be built.
using ChainBuilder = HRESULT (*)(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                                 ComPtr<IEnumEventEx>& outermost);

// Registers a chain under a name given to --chain; a file defines one static registrar.
class ChainRegistrar {
 public:
  ChainRegistrar(const char* name, ChainBuilder builder) noexcept;
};

// The builder registered under name, or null.
ChainBuilder FindChain(const char* name) noexcept;
// The registered names, separated by blanks.
void ListChains(char* text, size_t size) noexcept;

// A new cursor over channel for one stage of a chain (every stage reads through its own).
HRESULT NewChannelCursor(const std::shared_ptr<host::ChannelRecord>& channel, ComPtr<IUnknown>& cursor);

// Loads settings into a fresh stage and gives it its own channel cursor as source 0 and, unless inner is
// null, the stage inside it as source 1 (record 0, the given tick period).
HRESULT ConnectStage(ICalcEnum* stage, const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                     const wchar_t* settings, IUnknown* inner);

// Creates one stage of enumerator class Enumerator, held by stage, and connects it as ConnectStage does.
template <class Enumerator>
HRESULT AddStage(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod, const wchar_t* settings,
                 IUnknown* inner, ComPtr<ICalcEnum>& stage) {
  stage.Attach(new Enumerator(nullptr, nullptr));
  return ConnectStage(stage.Get(), channel, tickPeriod, settings, inner);
}

// The peak stages up to the second baseline, CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))),
// each with default parameters; base2 holds the outermost (each stage holds the one inside it).
HRESULT BuildPeakStages(const std::shared_ptr<host::ChannelRecord>& channel, double tickPeriod,
                        ComPtr<ICalcEnum>& base2);

}  // namespace bench
