// Analysis types: their names and the order in which every list of them shows them.
#include "document/AnalysisType.h"

#include "document/ParamCatalogue.h"

namespace ZR::Doc {

static constexpr int kTypeAtListPos[kAnalysisTypeCount] = {0, 5, 3, 1, 2, 4};

QOR::String AnalysisTypeName(int type) {
  static const wchar_t* const kNames[kAnalysisTypeCount] = {
      L"General - Unstimulated", L"Cardiac Action Potential", L"Synaptic",
      L"Evoked Response",        L"Population Spike",         L"Action Potential"};
  if (type < 0 || type >= kAnalysisTypeCount) return QOR::String(L"???");
  return QOR::String(kNames[type]);
}

int AnalysisTypeFromListPos(int pos) noexcept {
  if (pos < 0 || pos >= kAnalysisTypeCount) return -1;
  return kTypeAtListPos[pos];
}

int ListPosFromAnalysisType(int type) noexcept {
  for (int pos = 0; pos < kAnalysisTypeCount; ++pos) {
    if (kTypeAtListPos[pos] == type) return pos;
  }
  return -1;
}

}  // namespace ZR::Doc
