// Host unit-test service: the self tests that modules hand to the host.
// Ownership: the service keeps one reference on every registered test for the process;
// a test handed out through an out pointer carries one reference for the caller.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

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
