// Host per-cycle measurement extension (Periodix): the per-cycle event record its detector enumerators yield,
// the per-channel detection-settings object and the data file's detection-settings service with its presets.
// Ownership: out-parameters are checked for null (E_POINTER), cleared first and filled last; interfaces and
// strings handed out carry one reference for the caller; interfaces and strings passed in are borrowed.
// Slots are vtable indexes; "order n" counts the operations after the three of IUnknown (order n is slot n + 2).
#pragma once

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace QOR {
struct IQORString;
}

// One cycle found by the host's detector (16 bytes, records back to back): the cycle's position as a whole tick
// and the rest (tick + fraction is where the signal crossed the detection threshold on the way up, so the
// fraction lies in [0, 1)), and its value, the extreme height of the cycle above the detector's baseline in the
// channel's units. A cycle the detector cannot measure has a NaN value.
struct CycleEventRecord {
  int32_t tick;
  float fraction;
  double value;
};
static_assert(sizeof(CycleEventRecord) == 16, "per-cycle records are 16 bytes");

// Two ends of a value axis, in base units.
struct AxisRange {
  double first;
  double second;
};

// Parameter indexes of the detection-settings object (GetParam, SetParam).
enum DetectionParam : int32_t {
  kDetectChannel = 0,          // the channel read, from 0 (rounded to the nearest whole index)
  kDetectPolarity = 1,         // +1 cycles rise above the baseline, -1 they fall below it
  kDetectHysteresis = 2,       // fraction (0 to 1) of the threshold the signal must fall back by to end a cycle
  kDetectMinPeakHeight = 3,    // the threshold: in standard deviations when relative, else in the channel's units
  kDetectMinIntervalMs = 4,    // shortest time from one cycle's start to the next one's
  kDetectBaselineMs = 5,       // length of the running baseline; 0: levels are measured from 0
  kDetectRelative = 6,         // 1: the threshold is in standard deviations of the baseline's noise
  kDetectPresetNumber = 14,    // the preset the settings came from (0: the user's own)
  kDetectAllowNonPositive = 15 // 0: the absolute threshold must be greater than 0
};

// {5B1E2A31-7C4D-4E8F-9A26-3D0F61C84B57}
inline constexpr GUID IID_IDetectionSettings = {
    0x5B1E2A31, 0x7C4D, 0x4E8F, {0x9A, 0x26, 0x3D, 0x0F, 0x61, 0xC8, 0x4B, 0x57}};

// The settings of the host's cycle detector for one channel, persisted as its own text.
struct IDetectionSettings : IUnknown {
  // Slot 3 (order 1): whether every parameter keeps its rules.
  virtual HRESULT STDMETHODCALLTYPE IsValid(VARIANT_BOOL* valid) = 0;
  // Slot 4 (order 2): the settings as text (numbers in the classic locale).
  virtual HRESULT STDMETHODCALLTYPE GetText(QOR::IQORString** text) = 0;
  // Slot 5 (order 3): takes the other object's settings; channelObject is VARIANT_TRUE for the object a
  // channel's settings hold (it keeps its own channel), VARIANT_FALSE for a spare copy.
  virtual HRESULT STDMETHODCALLTYPE CopyFrom(IDetectionSettings* other, VARIANT_BOOL channelObject) = 0;
  // Slot 6 (order 4): loads the settings from text written by GetText; E_INVALIDARG (settings unchanged) for a
  // text that does not read.
  virtual HRESULT STDMETHODCALLTYPE SetText(QOR::IQORString* text) = 0;
  // Slot 7 (order 5): every parameter to its default.
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
  // Slot 8 (order 6): a new object with the same settings.
  virtual HRESULT STDMETHODCALLTYPE Clone(IDetectionSettings** copy) = 0;
  // Slot 9 (order 7): whether the detector reads the document's source object rather than the channel.
  virtual HRESULT STDMETHODCALLTYPE UsesSourceObject(VARIANT_BOOL* uses) = 0;
  // Slot 10 (order 8): the detector's formula over the trace named by reference (a channel reference such as
  // "ch1"); useSource, objectId and kind name the source object when the detector reads it.
  virtual HRESULT STDMETHODCALLTYPE GetDetectorFormula(QOR::IQORString* reference, VARIANT_BOOL useSource,
                                                       int32_t objectId, uint32_t kind,
                                                       QOR::IQORString** formula) = 0;
  // Slot 11 (order 9): whether the detector works on a trace it derives from the channel.
  virtual HRESULT STDMETHODCALLTYPE HasDerivedTrace(VARIANT_BOOL* derived) = 0;
  // Slot 12 (order 10): the formula text of the derived trace over the channel reference.
  virtual HRESULT STDMETHODCALLTYPE GetSourceText(QOR::IQORString* reference, QOR::IQORString** text) = 0;
  // Slot 13 (order 11): parameter index (DetectionParam) as a double; E_INVALIDARG for an unknown index.
  virtual HRESULT STDMETHODCALLTYPE GetParam(int32_t index, double* value) = 0;
  // Slot 14 (order 12): sets parameter index; E_INVALIDARG for an unknown index.
  virtual HRESULT STDMETHODCALLTYPE SetParam(int32_t index, double value) = 0;
  // Slot 15 (order 13): the caption of the minimum peak height.
  virtual HRESULT STDMETHODCALLTYPE GetCaption(QOR::IQORString** caption) = 0;
  // Slot 16 (order 14): units of the derived trace for a channel unit text and host prefix index.
  virtual HRESULT STDMETHODCALLTYPE GetTraceUnits(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                                                  int32_t* outPrefix) = 0;
  // Slot 17 (order 15): units of the detector's value axis.
  virtual HRESULT STDMETHODCALLTYPE GetAxisUnits(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                                                 int32_t* outPrefix) = 0;
  // Slot 18 (order 16): the value range of the derived trace for a channel range given in range (in place).
  virtual HRESULT STDMETHODCALLTYPE GetTraceRange(AxisRange* range, int32_t prefix) = 0;
  // Slot 19 (order 17): the unit of the absolute threshold.
  virtual HRESULT STDMETHODCALLTYPE GetThresholdUnit(QOR::IQORString* unit, int32_t prefix,
                                                     QOR::IQORString** outUnit, int32_t* outPrefix) = 0;
  // Slot 20 (order 18): asks the detector to recompute what it shows; *result is 0.
  virtual HRESULT STDMETHODCALLTYPE Refresh(int32_t what, int32_t* result) = 0;
  // Slots 21-22 (orders 19-20): E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved21() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved22() = 0;
  // Slot 23 (order 21): VARIANT_TRUE when the threshold is in standard deviations.
  virtual HRESULT STDMETHODCALLTYPE IsThresholdRelative(VARIANT_BOOL* relative) = 0;
};

// The data document's child objects of the extension: QueryInterface of the data document for
// IID_IHostChildObjects, child of class CLSID_DetectionSettingsService number 0, interface
// IID_IDetectionSettingsService.
// {CD8A64F4-48D2-11D1-8D03-00C0D1570D74}
inline constexpr GUID IID_IHostChildObjects = {
    0xCD8A64F4, 0x48D2, 0x11D1, {0x8D, 0x03, 0x00, 0xC0, 0xD1, 0x57, 0x0D, 0x74}};

// The objects the host's extensions keep per data document.
struct IHostChildObjects : IUnknown {
  // Slot 3: child number of the extension class classId, asked for iid; E_INVALIDARG for a class or number
  // the document does not have.
  virtual HRESULT STDMETHODCALLTYPE GetChildObject(REFCLSID classId, int32_t number, REFIID iid, void** child) = 0;
};
// {A62E4327-4783-4F29-952B-8688586A0F71}
inline constexpr GUID CLSID_DetectionSettingsService = {
    0xA62E4327, 0x4783, 0x4F29, {0x95, 0x2B, 0x86, 0x88, 0x58, 0x6A, 0x0F, 0x71}};
// {83903101-6338-4EBE-822E-72DDF8371E03}
inline constexpr GUID IID_IDetectionSettingsService = {
    0x83903101, 0x6338, 0x4EBE, {0x82, 0x2E, 0x72, 0xDD, 0xF8, 0x37, 0x1E, 0x03}};

// The data file's detection-settings service: new settings objects and the named presets.
struct IDetectionSettingsService : IUnknown {
  // Slot 3 (order 1): the number of presets.
  virtual HRESULT STDMETHODCALLTYPE GetPresetCount(int32_t* count) = 0;
  // Slot 4 (order 2): the preset equal to settings: its index, or -1 with *found VARIANT_FALSE.
  virtual HRESULT STDMETHODCALLTYPE FindBySettings(IDetectionSettings* settings, int32_t* index,
                                                   VARIANT_BOOL* found) = 0;
  // Slot 5 (order 3): the preset of that display name, or -1 with *found VARIANT_FALSE.
  virtual HRESULT STDMETHODCALLTYPE FindByName(QOR::IQORString* name, int32_t* index, VARIANT_BOOL* found) = 0;
  // Slot 6 (order 4): a copy of preset index; E_INVALIDARG past the end.
  virtual HRESULT STDMETHODCALLTYPE GetPreset(int32_t index, IDetectionSettings** settings) = 0;
  // Slot 7 (order 5): a new settings object with the defaults.
  virtual HRESULT STDMETHODCALLTYPE CreateSettings(IDetectionSettings** settings) = 0;
  // Slot 8 (order 6): the display name of preset index (display: VARIANT_TRUE).
  virtual HRESULT STDMETHODCALLTYPE GetPresetName(int32_t index, VARIANT_BOOL display, QOR::IQORString** name) = 0;
  // Slots 9-10 (orders 7-8): E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  // Slot 11 (order 9): whether the user may delete preset index.
  virtual HRESULT STDMETHODCALLTYPE IsRemovable(int32_t index, VARIANT_BOOL* removable) = 0;
  // Slot 12 (order 10): the host's settings dialog over settings; S_OK with the edited settings in *edited when
  // the user accepts. previewSetup is the caller's fourteen-word preview record.
  virtual HRESULT STDMETHODCALLTYPE Customize(HWND owner, IDetectionSettings* settings, const int32_t* previewSetup,
                                              QOR::IQORString* title, QOR::IQORString* helpTopic,
                                              QOR::IQORString* helpFile, IDetectionSettings** edited) = 0;
  // Slot 13 (order 11): keeps settings as a new preset; S_OK when saved.
  virtual HRESULT STDMETHODCALLTYPE SavePreset(HWND owner, IDetectionSettings* settings) = 0;
  // Slot 14 (order 12): deletes the preset of that name; S_OK when deleted.
  virtual HRESULT STDMETHODCALLTYPE DeletePreset(HWND owner, QOR::IQORString* name) = 0;
};
