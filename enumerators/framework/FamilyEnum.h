// The enumerator family every template enumerator wraps: its types and draw class number, over the event base.
#pragma once

#include <cstdint>

#include "enumerators/framework/CalcEnumEventBase.h"

namespace EEH3 {

// A family described by its Algorithm (which names Params, State and Record) and the draw class number of its
// events; EEH3Enumerator<FamilyEnum<...>, N> is the enumerator.
template <class AlgorithmT, uint32_t kTypeNumber>
class FamilyEnum : public CalcEnums::CalcEnumEventBase {
 public:
  using Params = typename AlgorithmT::Params;
  using State = typename AlgorithmT::State;
  using Record = typename AlgorithmT::Record;
  using Algorithm = AlgorithmT;
  static constexpr uint32_t kEventTypeNumber = kTypeNumber;

 protected:
  using CalcEnums::CalcEnumEventBase::CalcEnumEventBase;
};

}  // namespace EEH3
