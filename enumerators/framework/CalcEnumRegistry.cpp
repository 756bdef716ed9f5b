// The published names, aliases, descriptions, class ids and parameter tables of the enumerators.
#include "enumerators/framework/CalcEnumRegistry.h"

#include "hostapi/CalcEnumClass.h"

#include <cfloat>

namespace CalcEnums {
namespace {

constexpr double kMax = DBL_MAX;

// Class ids.
constexpr GUID kCacheSelectorId = {0x07E24D90, 0x863E, 0x11DB, {0x96, 0xAB, 0x00, 0xE0, 0x81, 0x61, 0x16, 0x5F}};
constexpr GUID kPSCacheSelectorId = {0x63CB8C9C, 0x4BB0, 0x496F, {0x94, 0xD3, 0x72, 0xDC, 0x42, 0xB3, 0x56, 0xEA}};
constexpr GUID kCalcAMaxId = {0x8519F3C3, 0x45CA, 0x4E4C, {0xB9, 0x35, 0x34, 0x4C, 0xC4, 0xBE, 0x40, 0xAC}};
constexpr GUID kCalcBaseId = {0x5C8AD510, 0x0930, 0x4602, {0xA8, 0x01, 0x72, 0x9C, 0x58, 0x01, 0x1E, 0xA8}};
constexpr GUID kCalcBase2Id = {0x157936E4, 0xFCB5, 0x4D6C, {0xA0, 0x7D, 0xB4, 0xD9, 0x05, 0x78, 0x69, 0x6C}};
constexpr GUID kCalcBulkId = {0x4D1A758F, 0x329C, 0x44CD, {0xB6, 0x55, 0x14, 0xA3, 0x41, 0x5E, 0x2A, 0x4E}};
constexpr GUID kCAPPeakDetId = {0x7C591100, 0xFA32, 0x4340, {0xA7, 0x5E, 0x46, 0xCB, 0x2A, 0xA1, 0x85, 0x69}};
constexpr GUID kCAPPWFId = {0xEDB378A0, 0xA622, 0x49F0, {0x8E, 0xC4, 0xE6, 0x8F, 0x48, 0x97, 0x11, 0x70}};
constexpr GUID kPeakCycConvertId = {0x3F56D1C0, 0x028A, 0x11DB, {0x96, 0x2B, 0x00, 0xE0, 0x81, 0x61, 0x16, 0x5F}};
constexpr GUID kERPeakDetId = {0x84ED3BF8, 0x336C, 0x405B, {0x83, 0x48, 0xE4, 0x16, 0xFF, 0xD0, 0xCA, 0x3B}};
constexpr GUID kERStimDetId = {0x0BC2B102, 0xCBE4, 0x4509, {0xB8, 0x39, 0x7C, 0xE0, 0xFF, 0x0D, 0xFB, 0xC4}};
constexpr GUID kERStimSOBId = {0xDD9C7290, 0x2756, 0x11DB, {0x96, 0x2A, 0x00, 0xE0, 0x81, 0x61, 0x16, 0x5F}};
constexpr GUID kPSCalcBaseId = {0x010F19F0, 0x6D63, 0x4FCF, {0x85, 0x6B, 0x1B, 0xE7, 0xC5, 0xEB, 0x6A, 0xBC}};
constexpr GUID kPSPeakDetId = {0x4848A113, 0x0645, 0x45A2, {0x8C, 0xAE, 0x14, 0x22, 0x8A, 0x91, 0xE8, 0xD8}};
constexpr GUID kSelectorId = {0x60A958EA, 0x331B, 0x11DB, {0x96, 0x3A, 0x00, 0xE0, 0x81, 0x61, 0x16, 0x5F}};

constexpr const wchar_t kEvokedPeaks[] = L"Detects Evoked Response Peaks";
constexpr const wchar_t kSelectCalc[] = L"Select which ZR calc to output";
constexpr const wchar_t kEvokedStimuli[] = L"Detects Evoked Response Stimuli";

}  // namespace

ClassInfoRow gClassRows[kEnumClassCount] = {
    {L"CacheSelector", kSelectCalc, 0, &kCacheSelectorId, 0, 0},
    {L"PSCacheSelector", L"Select which ZR calc to output, Population Spike version", 0,
     &kPSCacheSelectorId, 0, 0},
    {L"CalcAMax", kEvokedPeaks, 0, &kCalcAMaxId, 0, 0},
    {L"CalcBase", kEvokedPeaks, 0, &kCalcBaseId, 0, 0},
    {L"CalcBase2", kEvokedPeaks, 0, &kCalcBase2Id, 0, 0},
    {L"CalcBulk", kEvokedPeaks, 0, &kCalcBulkId, 0, 0},
    {L"CAPPeakDet", L"Detects Cardiac Action Potential Peaks", 0, &kCAPPeakDetId, 0, 0},
    {L"CAPPWF", L"Filters Cardiac Action Potential peaks by FWHH", 0, &kCAPPWFId, 0, 0},
    {L"PeakCycConvert", L"PX to ZR Event Conversion", 0, &kPeakCycConvertId, 0, 0},
    {L"ERPeakDet", kEvokedPeaks, 0, &kERPeakDetId, 0, 0},
    {L"ERStimDet", kEvokedStimuli, 0, &kERStimDetId, 0, 0},
    {L"ERStimSOB", kEvokedStimuli, 0, &kERStimSOBId, 0, 0},
    {L"PSCalcBase", L"Calculates Baseline etc for Population Spike mode", 0, &kPSCalcBaseId, 0, 0},
    {L"PSPeakDet", L"Detects Population Spike Responses", 0, &kPSPeakDetId, 0, 0},
    {L"Selector", kSelectCalc, 0, &kSelectorId, 0, 0},
};

namespace {

// The four region limits that close every template family's parameter list.
#define LIMIT_NAMES L"LimitStart Record", L"LimitStart Tick", L"LimitEnd Record", L"LimitEnd Tick"
#define LIMIT_BOUNDS {-1, kMax}, {-1, kMax}, {-1, kMax}, {-1, kMax}

constexpr const wchar_t* kCacheSelectorNames[] = {L"Analysis Type", L"Calc Index", L"Convert factor"};
constexpr ParamBounds kCacheSelectorBounds[] = {{0, 6}, {0, 59}, {0, kMax}};

constexpr const wchar_t* kCalcAMaxNames[] = {L"Tick Source", L"Event BaseCalc Source",
                                             L"Start Height Percent", L"Reposition Event",
                                             L"End Height Percent", LIMIT_NAMES};
constexpr ParamBounds kCalcAMaxBounds[] = {{0, 0}, {0, 0}, {-1, 100}, {0, 1}, {-1, 100}, LIMIT_BOUNDS};

constexpr const wchar_t* kCalcBaseNames[] = {
    L"Tick Source", L"Event Source", L"Max Baseline Length (ms)",
    L"Noise Tolerance (percentage of height)", L"Search Start ms after Stimulus",
    L"Search End ms after Stimulus", L"Baseline Mode", L"Baseline Value", LIMIT_NAMES};
constexpr ParamBounds kCalcBaseBounds[] = {{0, 0},    {0, 0},    {-1, kMax},    {-1, 100},
                                           {-1, kMax}, {-1, kMax}, {0, 3}, {-kMax, kMax},
                                           LIMIT_BOUNDS};

constexpr const wchar_t* kCalcBase2Names[] = {L"Tick Source", L"Event BaseCalc Source",
                                              L"Mid PLT Percent", L"Tau Start", L"Tau End",
                                              L"Plateau Center Percent", LIMIT_NAMES};
constexpr ParamBounds kCalcBase2Bounds[] = {{0, 0},    {0, 0},    {-1, 100},
                                            {-1, 100}, {-1, 100}, {-1, 100}, LIMIT_BOUNDS};

constexpr const wchar_t* kCalcBulkNames[] = {
    L"Tick Source", L"Calc Base Event Source", L"Analysis Type", L"Area Start ms", L"Area End ms",
    L"Tau Mode", L"Tau Fixed Value", L"Rise start percent", L"Rise end percent",
    L"Triangulation Start percent", L"Triangulation End percent", L"Plateau Width ms",
    L"PLT Width ms", L"Slope Start ms", L"Slope End ms", L"Value ms", L"MaxNegSlope Start ms",
    L"MaxNegSlope Smooth ms", LIMIT_NAMES};
constexpr ParamBounds kCalcBulkBounds[] = {
    {0, 0},     {0, 0},     {-1, 10},   {-1, kMax}, {-1, kMax},       {0, 2},
    {-kMax, kMax}, {-1, 100}, {-1, 100}, {-1, 100},  {-1, 100},        {-1, kMax},
    {-1, kMax}, {-1, kMax}, {-1, kMax}, {-1, kMax}, {-1, 1000000},    {-1, 100},
    LIMIT_BOUNDS};

constexpr const wchar_t* kCAPPeakDetNames[] = {L"Tick Source", L"Min Height", L"Min Width",
                                               LIMIT_NAMES};
constexpr ParamBounds kCAPPeakDetBounds[] = {{0, 0}, {-1, kMax}, {-1, kMax}, LIMIT_BOUNDS};

constexpr const wchar_t* kCAPPWFNames[] = {L"Tick Source", L"Event Source",
                                           L"Min Width at Half Height", LIMIT_NAMES};
constexpr ParamBounds kCAPPWFBounds[] = {{0, 0}, {0, 0}, {-1, kMax}, LIMIT_BOUNDS};

constexpr const wchar_t* kPeakCycConvertNames[] = {L"Tick Source for max", L"Event Source",
                                                   LIMIT_NAMES};
constexpr ParamBounds kPeakCycConvertBounds[] = {{0, 0}, {0, 0}, LIMIT_BOUNDS};

constexpr const wchar_t* kERPeakDetNames[] = {L"Tick Source", L"Stimulus Event Source", L"Height",
                                              L"Search Start ms after Stimulus",
                                              L"Search End ms after Stimulus", LIMIT_NAMES};
constexpr ParamBounds kERPeakDetBounds[] = {{0, 0},     {0, 0},     {0, kMax},
                                            {-1, kMax}, {-1, kMax}, LIMIT_BOUNDS};

constexpr const wchar_t* kERStimDetNames[] = {L"Source",   L"Height",     L"Width ms",
                                              L"Skip ms",  L"Min Gap ms", L"OneStimPerBlock_0_or_1",
                                              LIMIT_NAMES};
constexpr ParamBounds kERStimDetBounds[] = {{0, 0},     {-1, kMax}, {-1, kMax}, {-1, kMax},
                                            {-1, kMax}, {-1, 1},    LIMIT_BOUNDS};

constexpr const wchar_t* kERStimSOBNames[] = {L"Position_ms", LIMIT_NAMES};
constexpr ParamBounds kERStimSOBBounds[] = {{0, kMax}, LIMIT_BOUNDS};

constexpr const wchar_t* kPSCalcBaseNames[] = {L"Tick Source", L"Stimulus Event Source",
                                               L"Slope Start ms", L"Slope End ms", L"Value At ms",
                                               LIMIT_NAMES};
constexpr ParamBounds kPSCalcBaseBounds[] = {{0, 0},     {0, 0},     {-1, kMax},
                                             {-1, kMax}, {-1, kMax}, LIMIT_BOUNDS};

constexpr const wchar_t* kPSPeakDetNames[] = {L"Tick Source", L"Stimulus Event Source",
                                              L"Search Start ms", L"Search End ms", LIMIT_NAMES};
constexpr ParamBounds kPSPeakDetBounds[] = {{0, 0}, {0, 0}, {-1, kMax}, {-1, kMax}, LIMIT_BOUNDS};

constexpr const wchar_t* kSelectorNames[] = {L"Event Source", L"Calc Index"};
constexpr ParamBounds kSelectorBounds[] = {{0, 0}, {0, 59}};

#undef LIMIT_NAMES
#undef LIMIT_BOUNDS

constexpr const wchar_t* kCacheSelectorAliases[] = {L"ZRCacheSelector"};
constexpr const wchar_t* kPSCacheSelectorAliases[] = {L"ZRPSCacheSelector"};
constexpr const wchar_t* kCalcAMaxAliases[] = {L"ZRCalcAMax"};
constexpr const wchar_t* kCalcBaseAliases[] = {L"ZRBaseCalc"};
constexpr const wchar_t* kCalcBase2Aliases[] = {L"ZRBaseCalc2"};
constexpr const wchar_t* kCalcBulkAliases[] = {L"ZRBulkCalc"};
constexpr const wchar_t* kCAPPeakDetAliases[] = {L"CAPPeak"};
constexpr const wchar_t* kCAPPWFAliases[] = {L"ZRCAPPWF"};
constexpr const wchar_t* kPeakCycConvertAliases[] = {L"PXConvert", L"PCC"};
constexpr const wchar_t* kERPeakDetAliases[] = {L"ERPeak"};
constexpr const wchar_t* kERStimDetAliases[] = {L"ERStimulated"};
constexpr const wchar_t* kERStimSOBAliases[] = {L"ZRSOB"};
constexpr const wchar_t* kPSCalcBaseAliases[] = {L"PSCalc"};
constexpr const wchar_t* kPSPeakDetAliases[] = {L"PSPeak"};
constexpr const wchar_t* kSelectorAliases[] = {L"ZRSelector"};

template <size_t P, size_t B, size_t A>
constexpr ClassTable MakeTable(const wchar_t* const (&names)[P], const ParamBounds (&bounds)[B],
                               const wchar_t* const (&aliases)[A], int32_t sources, uint32_t c,
                               ParamKindRule rule) {
  static_assert(P == B, "every parameter has a bounds pair");
  return ClassTable{names, bounds, static_cast<int32_t>(P), aliases, static_cast<int32_t>(A),
                    sources, c, rule};
}

constexpr uint32_t kTemplateC = 0xA0000000u;
constexpr ParamKindRule kChannel = ParamKindRule::ChannelThenValues;

}  // namespace

const ClassTable kClassTables[kEnumClassCount] = {
    MakeTable(kCacheSelectorNames, kCacheSelectorBounds, kCacheSelectorAliases, 0, 0,
              ParamKindRule::NoKinds),
    MakeTable(kCacheSelectorNames, kCacheSelectorBounds, kPSCacheSelectorAliases, 0, 0,
              ParamKindRule::NoKinds),
    MakeTable(kCalcAMaxNames, kCalcAMaxBounds, kCalcAMaxAliases, 2, kTemplateC, kChannel),
    MakeTable(kCalcBaseNames, kCalcBaseBounds, kCalcBaseAliases, 2, kTemplateC, kChannel),
    MakeTable(kCalcBase2Names, kCalcBase2Bounds, kCalcBase2Aliases, 2, kTemplateC, kChannel),
    MakeTable(kCalcBulkNames, kCalcBulkBounds, kCalcBulkAliases, 2, kTemplateC, kChannel),
    MakeTable(kCAPPeakDetNames, kCAPPeakDetBounds, kCAPPeakDetAliases, 1, kTemplateC, kChannel),
    MakeTable(kCAPPWFNames, kCAPPWFBounds, kCAPPWFAliases, 2, kTemplateC, kChannel),
    MakeTable(kPeakCycConvertNames, kPeakCycConvertBounds, kPeakCycConvertAliases, 2, 0, kChannel),
    MakeTable(kERPeakDetNames, kERPeakDetBounds, kERPeakDetAliases, 2, kTemplateC, kChannel),
    MakeTable(kERStimDetNames, kERStimDetBounds, kERStimDetAliases, 1, kTemplateC, kChannel),
    MakeTable(kERStimSOBNames, kERStimSOBBounds, kERStimSOBAliases, 0, 0, ParamKindRule::NoKinds),
    MakeTable(kPSCalcBaseNames, kPSCalcBaseBounds, kPSCalcBaseAliases, 2, kTemplateC, kChannel),
    MakeTable(kPSPeakDetNames, kPSPeakDetBounds, kPSPeakDetAliases, 2, kTemplateC, kChannel),
    MakeTable(kSelectorNames, kSelectorBounds, kSelectorAliases, 1, 0, ParamKindRule::AllValues),
};

uint32_t ParamKind(const ClassTable& table, int32_t index) {
  switch (table.kindRule) {
    case ParamKindRule::ChannelThenValues:
      return index == 0 ? kCalcParamKindChannel : kCalcParamKindValue;
    case ParamKindRule::AllValues:
      return kCalcParamKindValue;
    case ParamKindRule::NoKinds:
      break;
  }
  return 0;
}

}  // namespace CalcEnums
