// The find check's probes: one Find and the position it leaves, asserted against two
// neighbouring reference events.
#pragma once

#include "enumerators/framework/EventEnumDataGetter.h"
#include "hostapi/CalcEnum.h"
#include "selfcheck/EnumTestConfig.h"

#include <cstdint>

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

struct Variant {
  const char* file;
  int32_t baseLine;
  bool deterministic;  // seed 0, every channel at 1000 Hz, no calculated channels
};

class Prober {
 public:
  Prober(IEnumEventEx& theenum, const Variant& v) noexcept : mEnum(theenum), mVariant(v) {}

  // The probes of one kind (0 to 3) between the neighbouring events at pos0 and pos1; probe
  // lies between them.
  void Run(int32_t kind, int32_t probe, int32_t pos0, int32_t pos1);

 private:
  // One Find whose result must be expected; the position it left.
  int32_t Probe(int32_t backward, int32_t position, int32_t start, int32_t end, HRESULT expected, Offset line);
  void Found(int32_t nPos, int32_t expected, Offset line, bool backwards);
  void InGap(int32_t nPos, int32_t pos0, int32_t pos1, Offset line, const wchar_t* explanation);

  IEnumEventEx& mEnum;
  const Variant& mVariant;
};

// A new enumerator over the getter's document started at tick; the check fails at line without one.
QOR::ComPtr<IEnumEventEx> StartedEnum(ExtLib::EventEnumDataGetter& edg, const EnumTestConfig& config, int32_t tick,
                                      const Variant& v, Offset line);

}  // namespace FindDetail
}  // namespace SelfCheck
