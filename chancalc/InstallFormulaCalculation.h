// Installing the host's formula calculation on a channel and having it evaluate its formula once,
// so that the host reports the range of values the formula gives.
#pragma once

#include "hostapi/ChannelCalc.h"
#include "hostapi/HostDocument.h"

#include <unknwn.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ZR::ChanCalc {

struct FormulaInstall {
  IHostDocument* hostDocument;
  IUnknown* rangeSource;  // IHostRangeSource, or null for the whole recording
  ICalculationClass* hostClass;
  std::vector<CCalcEnumSourceInfo> sources;
  uint32_t enumeratorTypeId;
  IPersistObject* hostSettings;
  std::wstring formula;
  bool prepareFlag;  // Prepare is asked with 0x80000000 (else 0)
  int32_t outputChannel;
  uint32_t furtherValue;
};

// Creates the calculation on the output channel, gives it the settings, formula, sources and a
// new formula enumerator and has its engine prepare over the range, which writes the values'
// extremes to top and bottom; the engine is finished before returning. The engine's answer, or
// the failure that stopped the steps.
HRESULT InstallFormulaCalculation(const FormulaInstall& install, float* top, float* bottom);

}  // namespace ZR::ChanCalc
