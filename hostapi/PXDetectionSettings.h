// Host per-cycle measurement extension (Periodix): its detection-settings objects and the
// data file's preset service that makes them.
// Ownership: an object or string handed out through an out pointer carries one reference for
// the caller; objects and strings passed in are borrowed for the call.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>

#include "hostapi/QORString.h"

// {0C6E2F3A-5B21-4D7E-9A43-7D52E1B0C8F4}
inline constexpr GUID IID_IPXDetectionSettings = {
    0x0C6E2F3A, 0x5B21, 0x4D7E, {0x9A, 0x43, 0x7D, 0x52, 0xE1, 0xB0, 0xC8, 0xF4}};
// {83903101-6338-4EBE-822E-72DDF8371E03}: the interface of the data file's Periodix child object.
inline constexpr GUID IID_IPXPresetService = {
    0x83903101, 0x6338, 0x4EBE, {0x82, 0x2E, 0x72, 0xDD, 0xF8, 0x37, 0x1E, 0x03}};
// {A62E4327-4783-4F29-952B-8688586A0F71}: the class of that child object (number 0).
inline constexpr GUID PXChildClassGUID = {
    0xA62E4327, 0x4783, 0x4F29, {0x95, 0x2B, 0x86, 0x88, 0x58, 0x6A, 0x0F, 0x71}};

// Parameter indexes of a detection-settings object the module reads or sets.
inline constexpr int32_t kPXParamChannel = 0;        // the channel the detector reads, from 0
inline constexpr int32_t kPXParamMinHeight = 3;      // minimum peak height, base units or S.D.
inline constexpr int32_t kPXParamPositiveOnly = 15;  // 0: the height must be positive

// The settings of one Periodix peak detector.
struct IPXDetectionSettings : IUnknown {
  // Slot 3: whether the settings can detect anything (non-zero: valid).
  virtual HRESULT STDMETHODCALLTYPE IsValid(VARIANT_BOOL* valid) = 0;
  // Slot 4: a new object with the same settings.
  virtual HRESULT STDMETHODCALLTYPE Clone(IPXDetectionSettings** clone) = 0;
  // Slot 5: takes the other object's settings; channelObject is true for the object an
  // analysis channel keeps, false for a scratch copy.
  virtual HRESULT STDMETHODCALLTYPE CopyFrom(IPXDetectionSettings* other,
                                             VARIANT_BOOL channelObject) = 0;
  // Slot 6: the settings as one line of text that LoadText reads back.
  virtual HRESULT STDMETHODCALLTYPE GetText(QOR::IQORString** text) = 0;
  // Slot 7: loads the settings from such a text; E_INVALIDARG leaves them as they were.
  virtual HRESULT STDMETHODCALLTYPE LoadText(QOR::IQORString* text) = 0;
  // Slot 8: back to the extension's defaults.
  virtual HRESULT STDMETHODCALLTYPE ResetToDefaults() = 0;
  // Slot 9: whether the detector reads the analysis's source object rather than the channel.
  virtual HRESULT STDMETHODCALLTYPE UsesSourceObject(VARIANT_BOOL* usesSource) = 0;
  // Slot 10: the detector formula over the reference text, for the source object of that id
  // and kind when useSource is set (else id -1 and kind 0xC0000000).
  virtual HRESULT STDMETHODCALLTYPE GetDetectorFormula(QOR::IQORString* reference,
                                                       VARIANT_BOOL useSource, int32_t objectId,
                                                       uint32_t kind,
                                                       QOR::IQORString** formula) = 0;
  // Slot 11: the formula of the source object over a channel reference text.
  virtual HRESULT STDMETHODCALLTYPE GetSourceFormula(QOR::IQORString* reference,
                                                     QOR::IQORString** formula) = 0;
  // Slot 12: reserved.
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  // Slot 13: the value of a parameter (indexes above).
  virtual HRESULT STDMETHODCALLTYPE GetParameter(int32_t index, double* value) = 0;
  // Slot 14: changes a parameter.
  virtual HRESULT STDMETHODCALLTYPE SetParameter(int32_t index, double value) = 0;
  // Slot 15: the caption of the minimum-height control.
  virtual HRESULT STDMETHODCALLTYPE GetCaption(QOR::IQORString** caption) = 0;
  // Slots 16-18: reserved.
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
  // Slot 19: the unit in which an absolute threshold over a channel of the given unit is shown
  // (prefix indexes of the units service).
  virtual HRESULT STDMETHODCALLTYPE GetThresholdUnit(QOR::IQORString* channelUnit,
                                                     int32_t channelPrefix,
                                                     QOR::IQORString** thresholdUnit,
                                                     int32_t* thresholdPrefix) = 0;
  // Slots 20-22: reserved.
  virtual HRESULT STDMETHODCALLTYPE Reserved20() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved21() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved22() = 0;
  // Slot 23: non-zero when the minimum height is in standard deviations.
  virtual HRESULT STDMETHODCALLTYPE IsRelativeThreshold(VARIANT_BOOL* relative) = 0;
};

// The data file's Periodix service: makes detection-settings objects and keeps named presets.
struct IPXPresetService : IUnknown {
  // Slot 3
  virtual HRESULT STDMETHODCALLTYPE GetPresetCount(int32_t* count) = 0;
  // Slot 4: the index of the preset equal to the settings, and whether there is one.
  virtual HRESULT STDMETHODCALLTYPE FindPresetBySettings(IPXDetectionSettings* settings,
                                                         int32_t* index, VARIANT_BOOL* found) = 0;
  // Slot 5
  virtual HRESULT STDMETHODCALLTYPE FindPresetByName(QOR::IQORString* name, int32_t* index,
                                                     VARIANT_BOOL* found) = 0;
  // Slot 6: the preset's settings.
  virtual HRESULT STDMETHODCALLTYPE GetPreset(int32_t index, IPXDetectionSettings** settings) = 0;
  // Slot 7: a new object with the extension's defaults.
  virtual HRESULT STDMETHODCALLTYPE CreateSettings(IPXDetectionSettings** settings) = 0;
  // Slot 8: the preset's name (display form when display is set).
  virtual HRESULT STDMETHODCALLTYPE GetPresetName(int32_t index, VARIANT_BOOL display,
                                                  QOR::IQORString** name) = 0;
  // Slots 9-10: reserved.
  virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
  // Slot 11: whether the user may delete the preset.
  virtual HRESULT STDMETHODCALLTYPE IsPresetRemovable(int32_t index, VARIANT_BOOL* removable) = 0;
  // Slot 12: the host's settings dialog over a copy of the settings; S_OK when accepted, with
  // the edited settings in *edited. previewSetup points to fourteen 32-bit words.
  virtual HRESULT STDMETHODCALLTYPE Customize(HWND owner, IPXDetectionSettings* settings,
                                              const int32_t* previewSetup,
                                              QOR::IQORString* title, QOR::IQORString* helpId,
                                              QOR::IQORString* helpFile,
                                              IPXDetectionSettings** edited) = 0;
  // Slot 13: asks the user for a name and keeps the settings as a preset; S_OK when saved.
  virtual HRESULT STDMETHODCALLTYPE SavePreset(HWND owner, IPXDetectionSettings* settings) = 0;
  // Slot 14: asks the user and deletes the named preset; S_OK when deleted.
  virtual HRESULT STDMETHODCALLTYPE DeletePreset(HWND owner, QOR::IQORString* name) = 0;
};

// {5C2D7A41-8E93-4B06-9F1A-3D64C0B7E218}
inline constexpr GUID IID_IPXPreviewTrace = {
    0x5C2D7A41, 0x8E93, 0x4B06, {0x9F, 0x1A, 0x3D, 0x64, 0xC0, 0xB7, 0xE2, 0x18}};

// Reached by QueryInterface from a detection-settings object: what a detection preview shows of
// the trace the detector derives from its channel. Prefix indexes are the host's (1: none).
struct IPXPreviewTrace : IUnknown {
  // Slot 3: non-zero when the detector works on a trace it derives from the channel.
  virtual HRESULT STDMETHODCALLTYPE HasDerivedTrace(VARIANT_BOOL* derived) = 0;
  // Slot 4: the formula text of the derived trace over the channel reference text.
  virtual HRESULT STDMETHODCALLTYPE GetDerivedTraceText(QOR::IQORString* reference, QOR::IQORString** text) = 0;
  // Slot 5: the unit text and prefix index of the derived trace for the channel's.
  virtual HRESULT STDMETHODCALLTYPE GetDerivedTraceUnits(QOR::IQORString* unit, int32_t prefix,
                                                         QOR::IQORString** outUnit, int32_t* outPrefix) = 0;
  // Slot 6: the unit text and prefix index of the detector's own axis for the given ones.
  virtual HRESULT STDMETHODCALLTYPE GetAxisUnits(QOR::IQORString* unit, int32_t prefix, QOR::IQORString** outUnit,
                                                 int32_t* outPrefix) = 0;
  // Slot 7: the derived trace's range (two ends, base units) for a range of the channel.
  virtual HRESULT STDMETHODCALLTYPE GetDerivedTraceRange(const double channelRange[2], int32_t prefix,
                                                         double traceRange[2]) = 0;
  // Slot 8: redraws what the detector shows (flags 0); *answer may be null.
  virtual HRESULT STDMETHODCALLTYPE Refresh(int32_t flags, int32_t* answer) = 0;
};
