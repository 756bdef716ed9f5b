// Handing newly made class objects and self tests to the host.
#include "hostclient/ClassRegistration.h"

void RegisterNewClassObject(IClassRegistry* registry, ILumoClassObject* object) noexcept {
  if (!object) return;
  if (!registry) {
    // Nobody will own it: one reference taken and given back deletes it.
    object->AddRef();
    object->Release();
    return;
  }
  registry->RegisterClassObject(object);  // result not examined: registration goes on
}

void RegisterNewSelfTest(IUnitTestService* service, IUnknown* test) noexcept {
  if (!test) return;
  if (!service) {
    test->AddRef();
    test->Release();
    return;
  }
  service->RegisterTest(test);  // result not examined
}
