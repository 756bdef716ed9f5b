// Handing newly made class objects and self tests to the host: nothing is handed over for an
// object that could not be made.
#pragma once

#include "hostapi/ClassRegistry.h"
#include "hostapi/UnitTestService.h"

// Registers object (made with a count of 0) with the class registry; a null object or
// registry registers nothing and a null registry deletes the object.
void RegisterNewClassObject(IClassRegistry* registry, ILumoClassObject* object) noexcept;
// Registers a new self test (its IUnitTest interface); null objects are skipped.
void RegisterNewSelfTest(IUnitTestService* service, IUnknown* test) noexcept;
