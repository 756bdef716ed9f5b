// The module's nine self-checks: eight over the calculation enumerators, one for the document.
#pragma once

#include "selfcheck/EnumTestBase.h"
#include "selfcheck/UnitTestBase.h"

namespace Ondara {
namespace Enum {

// Each enumerator check lists its cases and sets its configuration before every case.
#define ONDARA_ENUM_SELF_CHECK(Name)          \
  class Name final : public SelfCheck::ETB {  \
   protected:                                 \
    void AddTestCases() override;             \
    void Configure() override;                \
  }

namespace CAPPeakDet {
ONDARA_ENUM_SELF_CHECK(Test);
}
namespace ERStimDet {
ONDARA_ENUM_SELF_CHECK(Test);
}
namespace CalcBase {
ONDARA_ENUM_SELF_CHECK(Test);
// The detector and the baseline over an analysis region (ticks 10000 to 20000).
ONDARA_ENUM_SELF_CHECK(TestAR);
}  // namespace CalcBase
namespace CalcAMax {
ONDARA_ENUM_SELF_CHECK(Test);
}
namespace CalcBase2 {
ONDARA_ENUM_SELF_CHECK(Test);
}
namespace CalcBulk {
ONDARA_ENUM_SELF_CHECK(Test);
}
namespace EventData {
// The CalcBase2 chain over its detector computed as a calculated channel.
ONDARA_ENUM_SELF_CHECK(Test);
}

#undef ONDARA_ENUM_SELF_CHECK

}  // namespace Enum

// The analysis document's check: one case that always passes.
class Ondara_Document final : public SelfCheck::UnitTestBase {
 protected:
  void AddTestCases() override;
  void InitOwner() override;
};

}  // namespace Ondara
