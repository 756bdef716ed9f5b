// A formula's enumerator chain: the module enumerators its calls create, in the order the
// formula names them (outermost first), and the channels they read.
#pragma once

#include "host/common/HostPtr.h"
#include "host/formula/EnumClassCatalog.h"
#include "host/formula/FormulaSyntax.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/DataDocument.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// A distinct channel reference of the formula: the getter hands one source per reference.
struct ChannelRef {
  int32_t channel = 0;  // from 0
  wchar_t mark = 0;     // 0, L'r' or L'v'
  bool operator==(const ChannelRef& o) const { return channel == o.channel && mark == o.mark; }
};

struct ChainSource {
  bool isChannel = true;
  size_t index = 0;  // a channel reference, or a node of the chain
};

struct ChainNode {
  HostPtr<ICalcEnum> calc;
  std::wstring name;      // the class's name
  size_t position = 0;    // where the call starts in the formula, from 1
  std::wstring settings;  // the settings text it was loaded with
  std::vector<ChainSource> sources;
};

struct FormulaChain {
  std::vector<ChannelRef> refs;  // distinct, in order of appearance
  std::vector<ChainNode> nodes;  // nodes[0] is the outermost call
};

// The distinct channel references of a parsed formula in order of appearance.
std::vector<ChannelRef> CollectChannelRefs(const FormulaNode& root);

// The channel request for a reference, as the module's getter makes it: a "v" channel's
// calculation, an "r" channel's recorded samples, else the displayed samples; as a source, and
// growing while the host samples.
inline uint32_t ChannelRequestFor(const ChannelRef& ref, bool growing) {
  const uint32_t kind = ref.mark == L'v'   ? kChannelRequestCalculated
                        : ref.mark == L'r' ? kChannelRequestRecorded
                                           : kChannelRequestDisplayed;
  return kind | (growing ? kChannelRequestGrowing : 0u) | kChannelRequestSource;
}

// The settings text of a call: the leading integer 0 when the class reads one, then every
// parameter after the sources in index order, -1 for one left out (its default).
std::wstring BuildSettingsText(const EnumClassEntry& entry, const FormulaNode& call);

// Creates the chain through each class object's creation operation and loads each enumerator's
// settings. Throws FormulaError naming the position of the first fault.
FormulaChain BuildFormulaChain(const FormulaNode& root, const EnumClassCatalog& catalog,
                               IUnknown* dataContext);

}  // namespace host
