// How the document reads what a channel calculation of the module shows: the calculation lives
// above the document, so the module hands the document this question at registration.
#pragma once

#include <unknwn.h>

#include <cstdint>

struct IPersistObject;

namespace ZR::Doc {

// True with the measurement (parameter id) the calculation shows and a copy of its settings
// (one reference) when calculation is the module's; false otherwise.
using ShownMeasurementReader = bool (*)(IUnknown* calculation, int32_t* parameterId,
                                        IPersistObject** settings) noexcept;

// Null (the default) leaves every channel calculation unchecked.
void SetShownMeasurementReader(ShownMeasurementReader reader) noexcept;

}  // namespace ZR::Doc
