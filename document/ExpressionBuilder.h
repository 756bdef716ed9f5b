// ZR::ExpressionBuilder: the analysis written as formula text from the settings, for the host to
// build the chain of calculation enumerators from.
#pragma once

#include "document/SettingIds.h"

#include <unknwn.h>

#include <cstdint>
#include <string>

namespace ZR {

namespace Doc {
class SettingsStore;
}

enum class ExpressionMode : int32_t {
  kDetector = 0,        // the detector text, written from the settings
  kStoredDetector = 1,  // the host's stored text of the detector object (setting 2024)
  kStoredAnalysis = 2,  // the host's stored text of the analysis object (setting 2025)
};

// The region every formula ends with: start record, start tick, end record, end tick.
struct AnalysisRegion {
  int32_t startRecord = 0;
  int32_t startTick = 0;
  int32_t endRecord = 0;
  int32_t endTick = 0;
};

// Settings 2005 to 2008; all 0 while Bool setting 2012 (no region stored) is set.
AnalysisRegion GetAnalysisRegion(const Doc::SettingsStore& store);

// Made for one text and dropped after it. Reads the channel, region and object ids when
// constructed and every other setting when a writer runs. Numbers are written in the classic
// locale, doubles in their shortest exact form.
class ExpressionBuilder {
 public:
  // dataDocument: any interface of the host's data document (may be null); not owned.
  ExpressionBuilder(const Doc::SettingsStore& store, IUnknown* dataDocument);
  ExpressionBuilder(const ExpressionBuilder&) = delete;
  ExpressionBuilder& operator=(const ExpressionBuilder&) = delete;
  virtual ~ExpressionBuilder() = default;

  // The detector text for the analysis type; the fallback "77" when none applies.
  void WriteDetectorChain(std::wstring& text);
  // For the Evoked Response type with a stimulus method 2 to 4, wraps a stimulus-detector text
  // in the response peak detector; otherwise the text stays.
  void WriteERPeakDetChain(std::wstring& text);
  // Wraps a detector text in the per-event calculations.
  virtual void WriteCalculationChain(std::wstring& text);
  // Wraps an analysis text in the selector of one measurement.
  void WriteSelector(std::wstring& text, int32_t parameterId);
  // The two per-cycle converter texts over the channel's detection settings object; false (text
  // unchanged) when the current group holds no object or it gives no formula.
  bool WritePCCChain(std::wstring& text);
  bool WritePCCChannelChain(std::wstring& text);

  // Modes 1 and 2: the host's stored text of the object; the analysis type is taken and pending
  // cleared. False, with text unchanged, when the data document offers no objects.
  bool ReadStoredText(std::wstring& text, ExpressionMode mode);

  // Set while no detector applied (the text is then the fallback "77").
  bool Pending() const noexcept { return mPending; }
  int32_t AnalysisType() const noexcept { return mAnalysisType; }
  static const wchar_t* FallbackText() noexcept { return L"77"; }

 private:
  double Value(Doc::SettingId id) const;
  bool Flag(Doc::SettingId id) const;
  int32_t Int(Doc::SettingId id) const;
  std::wstring Number(double value) const;
  std::wstring Channel() const;
  std::wstring Region() const;
  std::wstring Source() const;
  std::wstring CAPChain() const;
  std::wstring StimDetChain() const;
  std::wstring StimSOBChain() const;
  bool PCCChain(std::wstring& text, bool useSource);

  bool mPending = true;
  int32_t mAnalysisType = 0;
  const Doc::SettingsStore& mStore;
  AnalysisRegion mRegion;
  int32_t mChannel = 0;
  int32_t mSourceObject = -1;
  int32_t mDetectorObject = -1;
  int32_t mAnalysisObject = -1;
  IUnknown* mDataDocument;
};

// Writes the text of a mode with a builder made over the store and data document: the detector
// text (mode 0) or the host's stored text (modes 1 and 2, text unchanged when the data document
// offers no objects). False when no text was produced or the detector fell back to "77".
bool BuildAnalysisExpression(const Doc::SettingsStore& store, IUnknown* dataDocument, std::wstring& text,
                             ExpressionMode mode);

}  // namespace ZR
