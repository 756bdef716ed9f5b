// Host channel calculations: the formula settings object, the calculation class and the
// calculation attached to a channel of a data document.
// Ownership: out-parameters are checked for null, cleared and filled by the callee with one
// reference for the caller; strings and interfaces passed in are borrowed for the call.
#pragma once

#include "hostapi/LumoClassObject.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}
struct IHostDataDocument;

// The host's formula calculation classes: number 0 makes calculations (ICalculationClass), number
// 1 their formula settings objects (made through the class registry's CreateInstance).
// {C3397303-5AAD-11D3-AB07-00A0CC40B4CE}
inline constexpr GUID kHostCalcClassGuid = {
    0xC3397303, 0x5AAD, 0x11D3, {0xAB, 0x07, 0x00, 0xA0, 0xCC, 0x40, 0xB4, 0xCE}};
inline constexpr uint16_t kFormulaCalculationClassNumber = 0;
inline constexpr uint16_t kFormulaSettingsClassNumber = 1;

// The persistence interface of the formula settings object, as the class registry creates it.
// {7B3091F0-7395-11D2-81F7-00C0DFE13362}
inline constexpr GUID IID_IPersistObject = {
    0x7B3091F0, 0x7395, 0x11D2, {0x81, 0xF7, 0x00, 0xC0, 0xDF, 0xE1, 0x33, 0x62}};
struct IHostTextStore;
struct IPersistObject : IUnknown {
  // Slot 3: reads the object's values from the text the store holds.
  virtual HRESULT STDMETHODCALLTYPE Load(IHostTextStore* store) = 0;
  // Slot 4: writes the object's values as text into the store.
  virtual HRESULT STDMETHODCALLTYPE Save(IHostTextStore* store) = 0;
  // Slot 5: the type id of the class that makes such objects.
  virtual HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) = 0;
};

// {D78C7904-2F6F-4087-8543-8691558E2E22}
inline constexpr GUID IID_IFormulaCalcSettings = {
    0xD78C7904, 0x2F6F, 0x4087, {0x85, 0x43, 0x86, 0x91, 0x55, 0x8E, 0x2E, 0x22}};
struct IFormulaCalcSettings : IUnknown {
  // Slot 3: the calculation's two formula texts; reserved is VARIANT_FALSE.
  virtual HRESULT STDMETHODCALLTYPE SetFormulas(QOR::IQORString* first, QOR::IQORString* second,
                                                VARIANT_BOOL reserved) = 0;
  // Slot 4: the calculation's formula and second text with the channel's scale (top, bottom),
  // decimal places and display flags.
  virtual HRESULT STDMETHODCALLTYPE SetText(QOR::IQORString* formula, QOR::IQORString* second, double top,
                                            double bottom, int32_t decimalPlaces, uint32_t flags) = 0;
};

// {CA800C31-F889-11D3-80EE-00A0C9E26433}
inline constexpr GUID IID_IHostChannelCalc = {
    0xCA800C31, 0xF889, 0x11D3, {0x80, 0xEE, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};
struct IHostChannelCalc : IUnknown {
  // Slot 3: takes the settings object; apply VARIANT_TRUE makes them the channel's values.
  virtual HRESULT STDMETHODCALLTYPE ApplySettings(IUnknown* settings, VARIANT_BOOL apply) = 0;
  // Slot 4: lets go of what the calculation has computed so far.
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
};

// {CA800C32-F889-11D3-80EE-00A0C9E26433}
inline constexpr GUID IID_ICalculationClass = {
    0xCA800C32, 0xF889, 0x11D3, {0x80, 0xEE, 0x00, 0xA0, 0xC9, 0xE2, 0x64, 0x33}};
// Slots 0-6 are those of ILumoClassObject.
struct ICalculationClass : ILumoClassObject {
  // Slots 7 and 8: the class's name and description as shown to the user.
  virtual HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString** description) = 0;
  // Slot 9: the class's flags.
  virtual HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) = 0;
  // Slot 10: the class's settings dialog for a channel: owner window, a word the class need not
  // read, the host document, the host's range source, the output channel, the further value of
  // CreateCalculation, the current settings and the edited settings (one reference for the
  // caller). S_OK when the user accepted, S_FALSE when the class shows none or it was cancelled.
  virtual HRESULT STDMETHODCALLTYPE RunSettingsDialog(HWND owner, uint32_t unused, IUnknown* hostDocument,
                                                      IUnknown* rangeSource, int32_t channel,
                                                      uint32_t furtherValue, IPersistObject* current,
                                                      IPersistObject** edited) = 0;
  // Slot 11: a new calculation attached to the channel found by (channel, flags) in document;
  // with flags 4 (kMarkerObjectKind) or the kind IHostDataObjects::NewObject answered
  // (kDataObjectRequestKind), to the document's data object of id `channel`.
  virtual HRESULT STDMETHODCALLTYPE CreateCalculation(int32_t channel, uint32_t flags,
                                                      IHostDataDocument* document,
                                                      IHostChannelCalc** calculation) = 0;
};

// Reached from the data document by QueryInterface: the object standing for a channel, which
// answers IHostChannelCalc when a calculation is attached. (This host's own interface id.)
// {5E0C7B61-2D43-4F0A-9C1E-6A7B3D2F8E14}
inline constexpr GUID IID_IHostChannelObjects = {
    0x5E0C7B61, 0x2D43, 0x4F0A, {0x9C, 0x1E, 0x6A, 0x7B, 0x3D, 0x2F, 0x8E, 0x14}};
struct IHostChannelObjects : IUnknown {
  // Slot 3: the channel object of (channel, flags); S_FALSE and null when there is none.
  virtual HRESULT STDMETHODCALLTYPE GetChannelObject(int32_t channel, uint32_t flags,
                                                     IUnknown** channelObject) = 0;
};

// Reached from a channel's calculation (IHostChannelCalc) by QueryInterface: which calculation
// class made it. (This host's own interface id.)
// {3BFF10E9-F7CD-4EDC-92DB-940EA8F6A160}
inline constexpr GUID IID_IHostChannelCalcInfo = {
    0x3BFF10E9, 0xF7CD, 0x4EDC, {0x92, 0xDB, 0x94, 0x0E, 0xA8, 0xF6, 0xA1, 0x60}};
struct IHostChannelCalcInfo : IUnknown {
  // Slot 3: the type id of the calculation class that made the calculation.
  virtual HRESULT STDMETHODCALLTYPE GetClassTypeId(uint32_t* typeId) = 0;
};
