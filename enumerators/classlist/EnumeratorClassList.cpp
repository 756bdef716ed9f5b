// The static class objects of the enumerators and their registration order.
#include "enumerators/classlist/EnumeratorClassList.h"

#include "enumerators/calcamax/CalcAMax.h"
#include "enumerators/calcbase/CalcBase.h"
#include "enumerators/calcbase2/CalcBase2.h"
#include "enumerators/cacheselector/CacheSelector.h"
#include "enumerators/calcbulk/CalcBulk.h"
#include "enumerators/cappeakdet/CAPPeakDet.h"
#include "enumerators/cappwf/CalcCAPPeakWidthFilter.h"
#include "enumerators/erpeakdet/ERPeakDet.h"
#include "enumerators/erstimdet/ERStimDet.h"
#include "enumerators/erstimsob/ERStimSOB.h"
#include "enumerators/framework/CalcEnumNumericParamsClass.h"
#include "enumerators/pscalc/PSCalc.h"
#include "enumerators/pspeakdet/PSPeakDet.h"
#include "enumerators/pxconvert/PXConvert.h"
#include "enumerators/selector/Selector.h"
#include "hostapi/ClassRegistry.h"

namespace CalcEnums {
namespace {

CalcEnumNumericParamsClass<ZR::Enum::CacheSelector::StandardCacheSelector> gCacheSelectorClass(
    EnumClassId::CacheSelector);
CalcEnumNumericParamsClass<ZR::Enum::CacheSelector::PSCacheSelector> gPSCacheSelectorClass(
    EnumClassId::PSCacheSelector);
CalcEnumNumericParamsClass<ZR::Enum::CalcAMaxEnumerator> gCalcAMaxClass(EnumClassId::CalcAMax);
CalcEnumNumericParamsClass<ZR::Enum::CalcBaseEnumerator> gCalcBaseClass(EnumClassId::CalcBase);
CalcEnumNumericParamsClass<ZR::Enum::CalcBase2Enumerator> gCalcBase2Class(EnumClassId::CalcBase2);
CalcEnumNumericParamsClass<ZR::Enum::CalcBulkEnumerator> gCalcBulkClass(EnumClassId::CalcBulk);
CalcEnumNumericParamsClass<ZR::Enum::CAPPeakDetEnumerator> gCAPPeakDetClass(EnumClassId::CAPPeakDet);
CalcEnumNumericParamsClass<ZR::Enum::CalcCAPPeakWidthFilterEnumerator> gCAPPWFClass(EnumClassId::CAPPWF);
CalcEnumNumericParamsClass<ZR::Enum::PXConvert> gPeakCycConvertClass(EnumClassId::PeakCycConvert);
CalcEnumNumericParamsClass<ZR::Enum::ERPeakDetEnumerator> gERPeakDetClass(EnumClassId::ERPeakDet);
CalcEnumNumericParamsClass<ZR::Enum::ERStimDetEnumerator> gERStimDetClass(EnumClassId::ERStimDet);
CalcEnumNumericParamsClass<ZR::Enum::ERStimSOB::Enum> gERStimSOBClass(EnumClassId::ERStimSOB);
CalcEnumNumericParamsClass<ZR::Enum::PSCalcEnumerator> gPSCalcClass(EnumClassId::PSCalcBase);
CalcEnumNumericParamsClass<ZR::Enum::PSPeakDetEnumerator> gPSPeakDetClass(EnumClassId::PSPeakDet);
CalcEnumNumericParamsClass<ZR::Enum::Selector> gSelectorClass(EnumClassId::Selector);

// One slot per registry row, in construction order; a class joins by pointing its slot at its
// class object (CalcEnumNumericParamsClass<its enumerator>).
ICalcEnumClass2* const kClassObjects[kEnumClassCount] = {
    &gCacheSelectorClass,
    &gPSCacheSelectorClass,
    &gCalcAMaxClass,
    &gCalcBaseClass,
    &gCalcBase2Class,
    &gCalcBulkClass,
    &gCAPPeakDetClass,
    &gCAPPWFClass,
    &gPeakCycConvertClass,
    &gERPeakDetClass,
    &gERStimDetClass,
    &gERStimSOBClass,
    &gPSCalcClass,
    &gPSPeakDetClass,
    &gSelectorClass,
};

}  // namespace

std::vector<ICalcEnumClass2*> EnumeratorClassObjects() {
  std::vector<ICalcEnumClass2*> objects;
  for (int32_t i = kEnumClassCount - 1; i >= 0; --i) {
    if (kClassObjects[i]) objects.push_back(kClassObjects[i]);
  }
  return objects;
}

void RegisterEnumeratorClasses(IClassRegistry* registry) noexcept {
  if (!registry) return;
  for (int32_t i = kEnumClassCount - 1; i >= 0; --i) {
    if (kClassObjects[i]) registry->RegisterClassObject(kClassObjects[i]);  // result not examined
  }
}

}  // namespace CalcEnums
