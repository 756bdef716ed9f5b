// The class objects of the module's two views, made for registration.
#pragma once

#include "hostapi/LumoClassObject.h"

// A new class object with a count of 0 ("Ondara View" and "Ondara Table View"), or null when
// it cannot be made.
ILumoClassObject* NewAnalysisViewClass() noexcept;
ILumoClassObject* NewTableViewClass() noexcept;
