// Handing new class objects to the host: an object that could not be made is not handed over.
#include "hostclient/ClassRegistration.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CountingRegistry final : public IClassRegistry {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(uint32_t, IUnknown*, REFIID, void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClassObject(uint32_t, REFIID, void**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RegisterClassObject(ILumoClassObject* object) override {
    registered.push_back(object);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClassCount(uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClassAt(uint32_t, ILumoClassObject**) override { return E_NOTIMPL; }
  std::vector<ILumoClassObject*> registered;
};

class CountingTests final : public IUnitTestService {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE RegisterTest(IUnknown* test) override {
    registered.push_back(test);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTestCount(uint32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTestAt(uint32_t, IUnknown**) override { return E_NOTIMPL; }
  std::vector<IUnknown*> registered;
};

TEST(ClassRegistration, ObjectThatCouldNotBeMadeIsNotHandedOver) {
  CountingRegistry registry;
  RegisterNewClassObject(&registry, nullptr);
  EXPECT_TRUE(registry.registered.empty());
  CountingTests tests;
  RegisterNewSelfTest(&tests, nullptr);
  EXPECT_TRUE(tests.registered.empty());
}

}  // namespace
