// Host unit-test service: the self tests that modules hand to the host.
// Ownership: the service keeps one reference on every registered test for the process;
// a test handed out through an out pointer carries one reference for the caller.
#pragma once

#include "hostapi/QORString.h"

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {E2EE6DD6-5D96-4BF4-B34B-08B817C9998B}
inline constexpr GUID IID_IUnitTest = {
    0xE2EE6DD6, 0x5D96, 0x4BF4, {0xB3, 0x4B, 0x08, 0xB8, 0x17, 0xC9, 0x99, 0x8B}};

// One self-check object of a module: an ordered list of cases the host runs one at a time.
// The host calls Initialise once before it asks for the count, the names and the weights.
struct IUnitTest : IUnknown {
  // Slot 3: the number of cases; E_FAIL for a null pointer.
  virtual HRESULT STDMETHODCALLTYPE GetTestCount(int32_t* count) = 0;
  // Slot 4: runs one case; its outcome is read with GetResult.
  virtual HRESULT STDMETHODCALLTYPE RunTest(uint32_t index) = 0;
  // Slot 5: the case's full name.
  virtual HRESULT STDMETHODCALLTYPE GetTestName(uint32_t index, QOR::IQORString** name) = 0;
  // Slot 6: the last run's outcome: VARIANT_TRUE when it passed, else VARIANT_FALSE and the
  // failure text (empty after a pass).
  virtual HRESULT STDMETHODCALLTYPE GetResult(VARIANT_BOOL* passed, QOR::IQORString** message) = 0;
  // Slot 7: fills the case list.
  virtual HRESULT STDMETHODCALLTYPE Initialise() = 0;
  // Slot 8: who answers for the check.
  virtual HRESULT STDMETHODCALLTYPE GetOwner(QOR::IQORString** owner) = 0;
  // Slot 9: the case's weight (how long it runs, relatively).
  virtual HRESULT STDMETHODCALLTYPE GetTestWeight(uint32_t index, double* weight) = 0;
};

// {E116149C-B118-4599-B6B2-C66DD6BEA7E5}
inline constexpr GUID CLSID_UnitTestService = {
    0xE116149C, 0xB118, 0x4599, {0xB6, 0xB2, 0xC6, 0x6D, 0xD6, 0xBE, 0xA7, 0xE5}};
// {500FCAA6-ED64-454F-A41B-6AA43047823B}
inline constexpr GUID IID_IUnitTestService = {
    0x500FCAA6, 0xED64, 0x454F, {0xA4, 0x1B, 0x6A, 0xA4, 0x30, 0x47, 0x82, 0x3B}};

struct IUnitTestService : IUnknown {
  // Slot 3: registers a self test (its IUnitTest interface); E_POINTER for null.
  virtual HRESULT STDMETHODCALLTYPE RegisterTest(IUnknown* test) = 0;
  // Slot 4 (the host's own, for its test runner): how many tests are registered.
  virtual HRESULT STDMETHODCALLTYPE GetTestCount(uint32_t* count) = 0;
  // Slot 5 (the host's own): the test at index in registration order; E_INVALIDARG past the end.
  virtual HRESULT STDMETHODCALLTYPE GetTestAt(uint32_t index, IUnknown** test) = 0;
};
