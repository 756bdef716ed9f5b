// The getter the document's cycle detector and the self-checks create per record.
#pragma once

#include "enumerators/framework/EnumGetterBase.h"

namespace ExtLib {

class EventEnumDataGetter final : public EnumGetterBase {
 public:
  using EnumGetterBase::EnumGetterBase;
};

}  // namespace ExtLib
