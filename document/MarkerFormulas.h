// The formulas the document hands to its three marker objects before an analysis: the source
// channel's reference, the detector text and the full analysis text.
#pragma once

#include <unknwn.h>

namespace ZR::Doc {

class SettingsStore;

// Each gives the object of its setting (2023, 2024, 2025) a host formula calculation with the
// text; the host's answer is ignored. dataFile: any interface of the host's data file.
void SetupDetectionSource(IUnknown* dataFile, const SettingsStore& store);
void SetupDetectorFormula(IUnknown* dataFile, const SettingsStore& store);
// Reads the detector object's stored text back and wraps it in the whole analysis.
void SetupCalculationFormula(IUnknown* dataFile, const SettingsStore& store);

}  // namespace ZR::Doc
