// Analysis types: their names and the order in which every list of them shows them.
#pragma once

#include "base/String.h"

namespace ZR::Doc {

// 0 "General - Unstimulated", 1 "Cardiac Action Potential", 2 "Synaptic", 3 "Evoked Response",
// 4 "Population Spike", 5 "Action Potential"; "???" for any other type.
QOR::String AnalysisTypeName(int type);

// Lists show the types in the order 0, 5, 3, 1, 2, 4. A position outside 0 to 5 gives type
// -1, a type outside 0 to 5 gives position -1.
int AnalysisTypeFromListPos(int pos) noexcept;
int ListPosFromAnalysisType(int type) noexcept;

}  // namespace ZR::Doc
