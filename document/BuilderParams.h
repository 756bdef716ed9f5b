// The enumerators' parameter records as the expression builder fills them from the settings.
#pragma once

#include "document/SettingIds.h"
#include "enumerators/calcamax/AMaxParams.h"
#include "enumerators/calcbase/BaseParams.h"
#include "enumerators/calcbase2/Base2Params.h"
#include "enumerators/calcbulk/plugins/BulkParams.h"
#include "enumerators/erstimdet/StimDetParams.h"
#include "enumerators/pscalc/PSCalcParams.h"

#include <string>

namespace ZR {

namespace Doc {
class SettingsStore;
}

// Each record takes its values from the store's current settings (the analysis type is
// setting 2000); without a store it keeps the enumerator's defaults.
struct EStimDetParams : Enum::ERStimDet::StimDetParams {
  explicit EStimDetParams(const Doc::SettingsStore* store);
};
struct EBaseParams : Enum::CalcBase::BaseParams {
  explicit EBaseParams(const Doc::SettingsStore* store);
};
struct EAMaxParams : Enum::CalcAMax::AMaxParams {
  explicit EAMaxParams(const Doc::SettingsStore* store);
};
struct EBase2Params : Enum::CalcBase2::Base2Params {
  explicit EBase2Params(const Doc::SettingsStore* store);
};
struct EBulkParams : Enum::CalcBulk::BulkParams {
  explicit EBulkParams(const Doc::SettingsStore* store);
};
struct EPSCalcParams : Enum::PSCalc::PSCalcParams {
  explicit EPSCalcParams(const Doc::SettingsStore* store);
};

// The values in parameter order separated by ", ", each in its shortest exact classic form.
std::wstring FormulaList(const Enum::NumericParams& params);

// The number of a setting as the formulas take it: the value of the current setting of that
// id widened to a double; 0.0 when there is none.
double SettingNumber(const Doc::SettingsStore& store, Doc::SettingId id);

}  // namespace ZR
