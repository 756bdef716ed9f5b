// The find check's probes and the enumerators they run on.
#include "selfcheck/FindProbes.h"

#include "base/NoValue.h"
#include "selfcheck/CheckAssert.h"

namespace SelfCheck {
namespace FindDetail {

int32_t Prober::Probe(int32_t backward, int32_t position, int32_t start, int32_t end, HRESULT expected, Offset line) {
  const HRESULT hr = mEnum.Find(backward, position, start, end);
  CheckThat(hr == expected, expected == S_OK ? "hr==S_OK" : "hr==S_FALSE", mVariant.file, mVariant.baseLine + line);
  int32_t nPos = -1;
  mEnum.GetPosition(&nPos);  // the answer shows in the position
  return nPos;
}

void Prober::Found(int32_t nPos, int32_t expected, Offset line, bool backwards) {
  CheckThat(nPos == expected, backwards ? "nPos == pos0" : "nPos == pos1", mVariant.file, mVariant.baseLine + line,
            QOR::String(backwards ? L"Find fails to find known event going backwards."
                                  : L"Find fails to find known event going forwards."));
}

void Prober::InGap(int32_t nPos, int32_t pos0, int32_t pos1, Offset line, const wchar_t* explanation) {
  CheckThat(nPos > pos0 && nPos <= pos1, "nPos>pos0 && nPos<=pos1", mVariant.file, mVariant.baseLine + line,
            QOR::String(explanation));
}

// Kind 0 finds pos1 forwards, kind 1 searches the gap forwards, kind 2 finds pos0 backwards and
// goes on with kind 3, which searches the gap backwards. The gap's edges lie one tick inside
// the events, so nothing may be found there.
void Prober::Run(int32_t kind, int32_t probe, int32_t pos0, int32_t pos1) {
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

QOR::ComPtr<IEnumEventEx> StartedEnum(ExtLib::EventEnumDataGetter& edg, const EnumTestConfig& config, int32_t tick,
                                      const Variant& v, Offset line) {
  edg.CreateEnum(config.mEnumID, config.mArithString.c_str());  // made in the first phase already
  edg.SetSources(true, TickPosition(0, tick));                   // a failure shows in the probes
  QOR::ComPtr<IEnumEventEx> theenum = edg.GetEventEnum();
  CheckThat(static_cast<bool>(theenum), "theenum", v.file, v.baseLine + line);
  return theenum;
}

}  // namespace FindDetail
}  // namespace SelfCheck
