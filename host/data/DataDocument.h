// The stand-in host's data document: a recording's records and channels as the module sees
// them through the data-file, data-document and online-data interfaces.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataObjectsPart.h"
#include "host/data/ExtensionChildrenPart.h"
#include "host/data/PreviewDataPart.h"
#include "host/data/RecordDataPart.h"
#include "host/data/Recording.h"
#include "host/data/SamplingSinkPart.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/DataDocument.h"
#include "hostapi/DataFile.h"
#include "hostapi/HostCalculation.h"
#include "hostapi/HostDocument.h"
#include "hostapi/OnlineData.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host {

class Sampler;

// Also a test document (hostapi/TestDocument.h): it answers the sampling sink (its
// SamplingSinkPart).
class DataDocument final
    : public HostObject<IHostDataFile, IHostDataDocument, IOnlineDataService, IHostChannelObjects> {
 public:
  // A new document (one reference) holding the recording. Throws FormulaError when a channel's
  // formula is neither kind (see AddCalculatedChannel).
  static HostPtr<DataDocument> Create(Recording recording);

  const Recording& Data() const { return *mRecording; }
  // The objects modules keep in the file (markers), with their formula texts.
  // The objects the host's extensions keep with the document.
  ExtensionChildrenPart& ExtensionChildren() noexcept { return mExtensionChildren; }
  DataObjectsPart& Objects() { return mObjects; }
  // The clock time at which the recording started, in seconds after midnight (0 unless set).
  void SetStartTimeOfDay(double seconds) { mStartTimeOfDay = seconds; }
  // The day the recording started, in days after 1970-01-01; unknown (negative) unless set.
  void SetStartDay(int64_t day) { mStartDay = day; }

  // Adds a channel calculated by a formula: a signal formula (its samples are computed for
  // every record) or an enumerator formula (read as "vchN", its events). Throws FormulaError
  // for a text that is neither. Returns the channel's index.
  int32_t AddCalculatedChannel(const std::wstring& title, const std::wstring& units,
                               const std::wstring& formula);
  // Makes sure channel holds a recording, adding recorded channels up to it (records already
  // there get zeros in them). E_UNEXPECTED for a channel that a formula calculates.
  HRESULT EnsureRecordedChannel(int32_t channel, const std::wstring& units);
  // The values an existing channel can hold, as its declaration for sampling gives them.
  void SetChannelRange(int32_t channel, float lowest, float highest);
  // Renames an existing channel; E_INVALIDARG for one the recording does not have.
  HRESULT SetChannelTitle(int32_t channel, const std::wstring& title);
  // The class that builds the chains of enumerator-formula channels.
  void SetFormulaClass(ICalcEnumClass2* formulaClass) { mFormulaClass = HostPtr<ICalcEnumClass2>(formulaClass); }

  // IHostDataFile
  HRESULT STDMETHODCALLTYPE FindChildData(int32_t reserved, uint32_t typeId,
                                          IScrivoDataChildData** child) noexcept override;
  HRESULT STDMETHODCALLTYPE AddChildData(int32_t reserved, IScrivoDataChildData* child) noexcept override;
  HRESULT STDMETHODCALLTYPE GetPositionTime(int32_t record, int32_t tick, double* seconds) noexcept override;
  HRESULT STDMETHODCALLTYPE FormatTime(double seconds, uint32_t flags, int32_t displayMode,
                                       QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSampledRecord(int32_t* record) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelDependents(int32_t reserved, int32_t channel, uint32_t flags,
                                                 VARIANT_BOOL follow, uint32_t* dependents,
                                                 uint32_t* second) noexcept override;

  // IHostDataDocument
  HRESULT STDMETHODCALLTYPE GetRecordCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordLength(int32_t record, int32_t* ticks) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDataEnd(uint32_t channelMask, int32_t* record, int32_t* tick) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordTickPeriod(int32_t reserved, int32_t record, double* seconds) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelTickPeriod(int32_t channel, uint32_t flags, int32_t record,
                                                 double* seconds) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelSource(int32_t channel, uint32_t flags, int32_t record, int32_t startTick,
                                             int32_t endTick, IUnknown** source) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelTitle(int32_t channel, int32_t record, uint32_t flags,
                                            BSTR* title) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelUnits(int32_t channel, int32_t record, uint32_t flags,
                                            BSTR* units) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelDescription(int32_t channel, BSTR* description) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSelection(IHostSelection** selection) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSamplingState(int32_t reserved, VARIANT_BOOL* sampling) noexcept override;

  HRESULT STDMETHODCALLTYPE Select(int32_t reserved, int32_t selector, int32_t secondSelector) noexcept override;
  // The document as a module calculation's context (host/data/DataDocumentCalculation.cpp).
  HRESULT STDMETHODCALLTYPE GetDataObject(IUnknown** dataObject) noexcept override;
  HRESULT STDMETHODCALLTYPE CreateOutput(const void* format, QOR::IQORString* units, uint32_t reserved1,
                                         uint32_t reserved2, IUnknown** outputSource) noexcept override;
  HRESULT STDMETHODCALLTYPE Apply(int32_t channel, uint32_t furtherValue, uint32_t flags,
                                  IUnknown* engine) noexcept override;
  // IHostChannelObjects: a channel with a calculation applied stands as that calculation (the
  // object that aggregates the engine); S_FALSE and null for any other channel.
  HRESULT STDMETHODCALLTYPE GetChannelObject(int32_t channel, uint32_t flags,
                                             IUnknown** channelObject) noexcept override;
  // How often a calculation was applied to channel (its settings taken again).
  int32_t ApplyCount(int32_t channel) const;
  // Also answers IHostDocument and IHostDocumentDisplay: those of the host document that holds
  // this document.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  // The host document holding this one (not counted: it holds this document); null to forget it.
  void SetHostDocument(IHostDocument* hostDocument) noexcept { mHostDocument = hostDocument; }
  // The raw samples of ticks [0, count) of record of the channel whose calculation was applied,
  // in the format of the calculation's output source (made by CreateOutput). E_INVALIDARG when
  // no calculation was applied to the channel or outputSource is not this host's.
  HRESULT ReadCalculatedChannel(int32_t channel, IUnknown* outputSource, int32_t record, int32_t count,
                                int16_t* raw) noexcept;

  // IOnlineDataService
  HRESULT STDMETHODCALLTYPE RegisterSink(IOnlineDataSink* sink) noexcept override;
  HRESULT STDMETHODCALLTYPE UnregisterSink(IOnlineDataSink* sink) noexcept override;

 private:
  friend class Sampler;
  friend class SamplingSinkPart;

  explicit DataDocument(Recording recording);
  ~DataDocument() override;
  void* FindInterface(REFIID iid) override;

  bool ValidChannel(int32_t channel) const;
  bool ValidRecord(int32_t record) const;
  HostPtr<IUnknown> MakeSource(int32_t channel, uint32_t flags, int32_t record, int32_t startTick,
                               int32_t endTick);
  // A chain of formula over this document's channels, for record from startTick.
  HostPtr<IUnknown> MakeEventSource(const std::wstring& formula, uint32_t flags, int32_t record, int32_t startTick);
  // The enumerator formula stored on the data object of that id, or null.
  const std::wstring* ObjectFormula(int32_t id) const;
  // The samples of every signal-formula channel for ticks [from, from + count) of record, by
  // channel index (empty for the other channels). Throws FormulaError for a value that is not a
  // finite float and bad_alloc; changes nothing.
  std::vector<std::vector<float>> SignalBlock(const RecordData& record, int32_t from, int32_t count) const;
  std::vector<HostPtr<IOnlineDataSink>> Sinks() const { return mSinks; }

  std::shared_ptr<Recording> mRecording;
  std::vector<bool> mYieldsEvents;  // per channel: an enumerator-formula channel
  HostPtr<IHostSelection> mSelection;
  HostPtr<ICalcEnumClass2> mFormulaClass;
  std::vector<HostPtr<IScrivoDataChildData>> mChildren;
  std::vector<HostPtr<IOnlineDataSink>> mSinks;
  bool mSampling = false;
  bool mRecordOpen = false;  // sampling writes the last record
  int mEventSourceDepth = 0;  // nesting of calculated channels being connected
  RecordDataPart mRecordData{*this};
  ExtensionChildrenPart mExtensionChildren{*this};
  DataObjectsPart mObjects{*this};
  double mStartTimeOfDay = 0.0;
  int64_t mStartDay = -1;
  SamplingSinkPart mSamplingSink{*this};
  PreviewDataPart mPreviewData{*this};
  std::map<int32_t, HostPtr<IUnknown>> mCalculations;  // channel -> the engine applied to it
  std::map<int32_t, int32_t> mApplyCounts;
  IHostDocument* mHostDocument = nullptr;
};

}  // namespace host
