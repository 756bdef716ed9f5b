// Host calculation-enumerator class objects: ICalcEnumClass2 and ICalcNumericParamsFuncClass.
// Ownership: out-parameters are checked for null, cleared, then filled; interfaces and strings
// handed out carry one reference for the caller; GetCategory points at a constant.
#pragma once

#include "hostapi/LumoClassObject.h"

#include <windows.h>

#include <cstdint>

struct ICalcEnum;
namespace QOR {
struct IQORString;
}

// {48436189-60B9-47D1-A159-6BF8B43E294F}
inline constexpr GUID IID_ICalcEnumClass2 = {
    0x48436189, 0x60B9, 0x47D1, {0xA1, 0x59, 0x6B, 0xF8, 0xB4, 0x3E, 0x29, 0x4F}};
// {58ADE1E2-5A17-41B1-95DD-A899F8805F8A}
inline constexpr GUID IID_ICalcNumericParamsFuncClass = {
    0x58ADE1E2, 0x5A17, 0x41B1, {0x95, 0xDD, 0xA8, 0x99, 0xF8, 0x80, 0x5F, 0x8A}};
// The category every calculation-enumerator class answers: {8FC37F03-9357-11D4-8112-00A0C9E26433}
inline constexpr GUID CATID_CalcEnum = {
    0x8FC37F03, 0x9357, 0x11D4, {0x81, 0x12, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};

// Parameter kinds: a channel reference, and a number or a nested enumerator.
inline constexpr uint32_t kCalcParamKindChannel = 0x80000000u;
inline constexpr uint32_t kCalcParamKindValue = 0x40000000u;

// Slots 0-6 are those of ILumoClassObject.
struct ICalcEnumClass2 : ILumoClassObject {
  // Slot 7: the registered formula name, matched by the host without regard to case.
  virtual HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) = 0;
  // Slot 8
  virtual HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString** description) = 0;
  // Slot 9
  virtual HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) = 0;
  // Slot 10: not implemented by the module's classes (E_NOTIMPL, *out cleared).
  virtual HRESULT STDMETHODCALLTYPE Reserved10(void** out) = 0;
  // Slot 11: a new enumerator over dataContext (may be null); the caller holds the only reference.
  virtual HRESULT STDMETHODCALLTYPE CreateEnum(IUnknown* dataContext, ICalcEnum** calcEnum) = 0;
  // Slot 12: with outer null as slot 11 but answering IUnknown; with an outer unknown,
  // *inner receives the aggregated object's non-delegating IUnknown.
  virtual HRESULT STDMETHODCALLTYPE CreateAggregatedEnum(IUnknown* outer, IUnknown* dataContext,
                                                         IUnknown** inner) = 0;
};

// The formula function description of a class: aliases, result and parameters.
struct ICalcNumericParamsFuncClass : IUnknown {
  // Slot 3
  virtual HRESULT STDMETHODCALLTYPE GetAliasCount(int32_t* count) = 0;
  // Slot 4: E_INVALIDARG for an index outside [0, alias count).
  virtual HRESULT STDMETHODCALLTYPE GetAlias(int32_t index, QOR::IQORString** alias) = 0;
  // Slot 5: the leading sourceCount parameters are sources (channel, nested enumerator);
  // kindC and kindD are host-defined values the class supplies as is.
  virtual HRESULT STDMETHODCALLTYPE GetResultInfo(QOR::IQORString** name, uint32_t* typeId,
                                                  int32_t* paramCount, int32_t* sourceCount,
                                                  uint32_t* kindC, uint32_t* kindD) = 0;
  // Slot 6: any out pointer may be null; E_INVALIDARG for an index outside the parameters.
  virtual HRESULT STDMETHODCALLTYPE GetParamInfo(int32_t index, double* high, double* low,
                                                 uint32_t* kind, QOR::IQORString** name) = 0;
  // Slot 7: S_OK when kind has the source parameter's kind bit, S_FALSE when not,
  // E_INVALIDARG past the source parameters.
  virtual HRESULT STDMETHODCALLTYPE CheckParamKind(int32_t index, uint32_t kind) = 0;
};
