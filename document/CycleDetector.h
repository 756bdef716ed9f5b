// ZR::Doc::CycleDetector: the running detection state of one analysis document: the chain of the
// record being analysed, every event found with the values the views plot, and the table columns.
#pragma once

#include "base/String.h"
#include "base/UnitPrefix.h"
#include "document/ScrivoDataChildData.h"
#include "enumerators/cacheselector/ResultCacheFiller.h"
#include "base/EventRecords.h"

#include <unknwn.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace ExtLib {
class EventEnumDataGetter;
}

namespace ZR::Doc {

class SettingsStore;

// One detected event as the detector keeps it.
struct CycleEvent {
  EventFCalc record;
  int32_t recordIndex = 0x7FFFFFFF;  // the empty event's
  int32_t indexInRecord = 0;
};

// The plot's span of every event: offsets in seconds from each event's reference tick, values
// in the channel's base unit.
struct PlotRange {
  double xMin = 0.0;
  double xMax = 0.0;
  double yMin = 0.0;
  double yMax = 0.0;
};

// Settings come from the data file's child data (the store the document's settings part keeps
// there). Called on the host's user-interface thread only.
class CycleDetector {
 public:
  // hostData: any interface of the host's data file and data document; a reference is held.
  explicit CycleDetector(IUnknown* hostData);
  CycleDetector(const CycleDetector&) = delete;
  CycleDetector& operator=(const CycleDetector&) = delete;
  virtual ~CycleDetector();

  // Makes the chain of the record from the stored analysis text and places it at startTick.
  // False when the record does not exist, there is no stored text or the sources cannot be set.
  bool BeginRecord(int32_t record, int32_t startTick, bool online);
  // Pulls and keeps the events of the current record up to endTick. False without a chain, for
  // a current record outside the data file, without child data, on a failing pull and when
  // memory runs out (events stored before stay).
  bool ProcessTo(int32_t endTick);
  // Forgets every event and the child data's maps; the chain is dropped too, and the next
  // record starts with BeginRecord.
  void Clear();
  // Ends the current record's chain (analysis while sampling, at the record's end).
  void EndRecord();

  int32_t RebuildColumns();
  int32_t ColumnCount() const noexcept { return static_cast<int32_t>(mShownColumns.size()); }
  // -1 for a column outside the shown ones.
  int32_t GetColumnParamId(int32_t column) const noexcept;
  QOR::String GetColumnHeaderText(int32_t column) const;
  void GetCellText(int32_t row, int32_t column, QOR::String& text, double* value) const;
  // The time column (58) gives the host's time text and leaves the value; every other
  // measurement gives an empty text and the value in the units of its column.
  void GetEventValue(int32_t row, int32_t parameterId, QOR::String& text, double* value) const;
  // The host's time of the event's position (its peak), 0.0 out of range.
  double GetEventTime(int32_t row) const noexcept;
  // The host's time of the event's start (TStart; its position when it has no start), which the time
  // column shows; 0.0 out of range or when the data file gives none.
  double GetEventStartTime(int32_t row) const;
  // False (range untouched) while no event gave a value range.
  bool GetPlotRange(PlotRange& range) const noexcept;

  int32_t EventCount() const noexcept { return static_cast<int32_t>(mEvents.size()); }
  // The empty event for a number out of range.
  const CycleEvent& GetEvent(int32_t n) const noexcept;
  const std::vector<int32_t>& EventsPerRecord() const noexcept { return mEventsPerRecord; }
  const std::vector<float>& Durations() const noexcept { return mDurations; }
  const std::vector<float>& Amplitudes() const noexcept { return mAmplitudes; }
  const std::vector<double>& EventTimes() const noexcept { return mEventTimes; }
  int32_t CurrentRecord() const noexcept { return mCurrentRecord; }
  bool Ready() const noexcept { return mReady; }
  // The store kept with the data file; null without child data.
  SettingsStore* Settings() const noexcept;

 private:
  int32_t AnalysisTypeSetting() const noexcept;
  int32_t RecordCount() const noexcept;
  void StoreEvent(const EventFCalc& record, RecordEventMap& map, IUnknown* file);
  QOR::UnitWithPrefix ChannelUnit(int32_t record) const;

  std::vector<int32_t> mShownColumns;
  std::vector<int32_t> mEventsPerRecord;
  int32_t mCurrentRecord = 0x7FFFFFFF;
  int32_t mEventsInRecord = 0;
  std::unique_ptr<ExtLib::EventEnumDataGetter> mGetter;
  int32_t mRecordSize = 0;
  std::vector<uint8_t> mRecordBuffer;
  double mTickPeriod = 0.0;
  std::vector<float> mDurations;
  std::vector<float> mAmplitudes;
  std::vector<double> mEventTimes;
  std::deque<CycleEvent> mEvents;
  CycleEvent mEmptyEvent;
  int32_t mAnalysisType = 0;
  double mEarliestOffset = 0.0;
  double mLatestOffset = 0.0;
  double mLowestValue = 1.7976931348623157e+308;
  double mHighestValue = -1.7976931348623157e+308;
  bool mHasRange = false;
  bool mReady = false;
  int32_t mEventNumber = 0;
  // The data file's shared result cache, which the cache selectors read: it receives every event stored.
  Enum::CacheSelector::ResultCacheFiller mCache;
  IUnknown* mHost = nullptr;  // one reference
};

}  // namespace ZR::Doc
