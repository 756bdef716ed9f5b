// ZR::Doc::CycleDetector: the chain of the current record, the events pulled from it, the columns.
#include "document/CycleDetector.h"

#include "base/XQOR.h"
#include "document/AnalysisChannelUnit.h"
#include "document/EventSpan.h"
#include "document/ExpressionBuilder.h"
#include "document/ParamCatalogue.h"
#include "document/ParameterUnits.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRSetting_Bool.h"
#include "enumerators/framework/EventEnumDataGetter.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/DataDocument.h"
#include "hostapi/DataFile.h"
#include "hostapi/DocumentDisplay.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComPtr.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostUnits.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace ZR::Doc {

namespace {

constexpr int32_t kTimeParameter = 58;
constexpr uint32_t kTimeTextFlags = 0x200000u;
constexpr uint32_t kClockTimeTextFlags = 0xE00000u;
constexpr int32_t kDefaultDisplayMode = 1;
constexpr int32_t kPopulationSpikeType = 4;

QOR::ComPtr<IHostDataDocument> DataDocumentOf(IUnknown* host) {
  QOR::ComPtr<IHostDataDocument> document;
  if (host) host->QueryInterface(IID_IHostDataDocument, document.OutVoid());
  return document;
}

QOR::ComPtr<IHostDataFile> DataFileOf(IUnknown* host) {
  QOR::ComPtr<IHostDataFile> file;
  if (host) host->QueryInterface(IID_IHostDataFile, file.OutVoid());
  return file;
}

// How the data document displays times: its display mode (1 when it gives none) and whether its
// time-display option puts the clock time first.
struct TimeDisplay {
  int32_t mode = kDefaultDisplayMode;
  bool clockTime = false;
};

TimeDisplay TimeDisplayOf(IUnknown* host) {
  TimeDisplay shown;
  QOR::ComPtr<IHostDocumentDisplay> display;
  if (!host || FAILED(host->QueryInterface(IID_IHostDocumentDisplay, display.OutVoid())) || !display) return shown;
  display->GetDisplayMode(&shown.mode);  // a document without a mode leaves the default
  QOR::ComPtr<IHostColourScheme> options;
  if (FAILED(display->GetDisplayOptions(options.Out())) || !options) return shown;
  // The option is read with its entry's object, as the host's other display entries are.
  const QOR::ComPtr<IUnknown> entry = CreateEntryObject(kDisplayEntryClockTime);
  int32_t on = 0;
  shown.clockTime = SUCCEEDED(options->GetEntryInteger(kDisplayEntryClockTime, entry.Get(), &on)) && on != 0;
  return shown;
}

QOR::String FormattedTime(IHostDataFile& file, double seconds, uint32_t flags, int32_t mode) {
  QOR::ComPtr<QOR::IQORString> time;
  if (FAILED(file.FormatTime(seconds, flags, mode, time.Out())) || !time) return QOR::String();
  return QOR::String(time->GetText());
}

// Grows geometrically, as push_back would, but before anything is stored.
template <typename T>
void RoomForOneMore(std::vector<T>& values) {
  if (values.size() == values.capacity()) values.reserve(values.empty() ? 64 : values.size() * 2);
}

}  // namespace

CycleDetector::CycleDetector(IUnknown* hostData) : mHost(hostData) {
  if (mHost) mHost->AddRef();
  Clear();
}

CycleDetector::~CycleDetector() {
  mGetter.reset();
  if (mHost) mHost->Release();
}

SettingsStore* CycleDetector::Settings() const noexcept {
  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(mHost);
  return child ? child->GetSettings() : nullptr;
}

int32_t CycleDetector::AnalysisTypeSetting() const noexcept {
  const SettingsStore* const store = Settings();
  const ZRSetting* const setting = store ? store->FindSetting(kSettingAnalysisType) : nullptr;
  return setting ? static_cast<int32_t>(setting->AsDouble()) : 0;
}

int32_t CycleDetector::RecordCount() const noexcept {
  const QOR::ComPtr<IHostDataDocument> document = DataDocumentOf(mHost);
  int32_t count = 0;
  if (!document || FAILED(document->GetRecordCount(&count))) return 0;
  return count;
}

bool CycleDetector::BeginRecord(int32_t record, int32_t startTick, bool online) {
  mReady = false;
  mCurrentRecord = record;
  mEventsInRecord = 0;
  const QOR::ComPtr<IHostDataDocument> document = DataDocumentOf(mHost);
  const SettingsStore* const store = Settings();
  if (!document || !store) return false;
  double period = 0.0;
  if (FAILED(document->GetRecordTickPeriod(0, record, &period))) return false;
  mTickPeriod = period;

  std::wstring formula;
  if (!BuildAnalysisExpression(*store, mHost, formula, ExpressionMode::kStoredAnalysis)) return false;
  mCache.Begin(mHost, AnalysisTypeSetting() == kPopulationSpikeType, {EEH::CacheSource{store->GetCurrentChannel()}},
               QOR::String(formula.c_str()), record);
  mGetter.reset();
  mGetter = std::make_unique<ExtLib::EventEnumDataGetter>(
      mHost, online ? ExtLib::kGetterOnline : ExtLib::kGetterOffline);
  mGetter->CreateEnum(GetEventTypeId(), formula.c_str(), false);  // a failure shows in SetSources
  // The chain reads the record from tick 0 (its stages need what precedes the start); Find
  // places it at the start tick.
  if (!mGetter->SetSources(!online, TickPosition(record, 0), -1.0)) return false;

  const QOR::ComPtr<IEnumEventEx> events = mGetter->GetEventEnum();
  int32_t size = 0;
  if (!events || FAILED(events->GetRecordSize(&size)) || size < static_cast<int32_t>(sizeof(EventFCalc)))
    return false;
  mRecordSize = size;
  mRecordBuffer.assign(static_cast<size_t>(size), 0);
  if (startTick > 0) events->Find(0, startTick, 0, startTick + 1);  // not found: Next starts there anyway
  mAnalysisType = AnalysisTypeSetting();
  mReady = true;
  return true;
}

void CycleDetector::StoreEvent(const EventFCalc& record, RecordEventMap& map, IUnknown* file) {
  mCache.Add(record);
  CycleEvent event;
  event.record = record;
  event.recordIndex = mCurrentRecord;
  event.indexInRecord = mEventsInRecord;

  double time = 0.0;
  const QOR::ComPtr<IHostDataFile> dataFile = DataFileOf(file);
  if (!dataFile || FAILED(dataFile->GetPositionTime(mCurrentRecord, record.tick, &time))) time = 0.0;

  // Every container grows first, so that running out of memory leaves the events as they were.
  RoomForOneMore(mDurations);
  RoomForOneMore(mAmplitudes);
  RoomForOneMore(mEventTimes);
  if (mEventsPerRecord.size() <= static_cast<size_t>(mCurrentRecord))
    mEventsPerRecord.resize(static_cast<size_t>(mCurrentRecord) + 1, 0);
  RecordEventMap added;
  for (const int32_t tick : {record.stimulusTick, record.spikeTroughTick, record.spikePeak2Tick, record.tick})
    if (tick >= 0) added[TickPosition(mCurrentRecord, tick)] = mEventNumber;
  mEvents.push_back(event);

  const int32_t start = EventSpanStart(record);
  const int32_t end = EventSpanEnd(record);
  mDurations.push_back(static_cast<float>((static_cast<double>(end) - start) * mTickPeriod));
  mEventTimes.push_back(time);
  mAmplitudes.push_back(static_cast<float>(record.value - static_cast<double>(record.baseline)));
  // Positions already mapped take the new number; the new nodes move over without allocating.
  for (auto it = added.begin(); it != added.end();) {
    const auto found = map.find(it->first);
    if (found == map.end()) {
      ++it;
      continue;
    }
    found->second = it->second;
    it = added.erase(it);
  }
  map.merge(added);
  ++mEventNumber;

  const int32_t reference = record.stimulusTick >= 0 ? record.stimulusTick : record.tick;
  const int32_t earlier = std::min(record.baseEndTick, record.stimulusTick);
  const int32_t rangeStart = earlier >= 0                 ? earlier
                             : record.stimulusTick >= 0   ? record.stimulusTick
                             : record.baseEndTick >= 0    ? record.baseEndTick
                                                          : reference;
  mEarliestOffset = std::min(mEarliestOffset, (static_cast<double>(rangeStart) - reference) * mTickPeriod);
  mLatestOffset = std::max(mLatestOffset, (static_cast<double>(end) - reference) * mTickPeriod);
  // A comparison with a value that is not a number keeps the stored one.
  if (record.lowestSample < mLowestValue) mLowestValue = record.lowestSample;
  if (record.highestSample > mHighestValue) mHighestValue = record.highestSample;
  mHasRange = true;

  ++mEventsPerRecord[static_cast<size_t>(mCurrentRecord)];
  ++mEventsInRecord;
}

bool CycleDetector::ProcessTo(int32_t endTick) {
  if (!mGetter) return false;
  const QOR::ComPtr<IEnumEventEx> events = mGetter->GetEventEnum();
  if (!events) return false;
  // A record the file does not have (as after Clear) would grow the per-record lists to it.
  if (mCurrentRecord < 0 || mCurrentRecord >= RecordCount()) return false;
  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(mHost);
  if (!child) return false;
  HRESULT hr = S_OK;
  try {
    RecordEventMap& map = child->GetRecordMap(mCurrentRecord);
    int32_t returned = 0;
    int32_t nextUnexamined = 0;
    do {
      returned = 0;
      if (mReady) {
        hr = events->Next(mRecordSize, endTick, mRecordBuffer.data(), &returned, &nextUnexamined);
        if (FAILED(hr)) break;
      }
      if (returned == 0) break;
      EventFCalc record;
      std::memcpy(&record, mRecordBuffer.data(), sizeof record);
      StoreEvent(record, map, mHost);
    } while (nextUnexamined != endTick);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (const XQOR& e) {
    hr = e.code();
  }
  return SUCCEEDED(hr);
}

void CycleDetector::Clear() {
  mDurations.clear();
  mAmplitudes.clear();
  mEventTimes.clear();
  mEvents.clear();
  mEventsPerRecord.clear();
  mTickPeriod = 0.0;
  mCurrentRecord = 0x7FFFFFFF;
  mEventsInRecord = 0;
  mEarliestOffset = 0.0;
  mLatestOffset = 0.0;
  mLowestValue = 1.7976931348623157e+308;
  mHighestValue = -1.7976931348623157e+308;
  mHasRange = false;
  mAnalysisType = AnalysisTypeSetting();
  mEventNumber = 0;
  // The chain belonged to the record now forgotten: keeping it ready would let the next pull
  // store events under the cleared record.
  EndRecord();
  mCache.DropAll();
  if (ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(mHost)) child->RemoveAllRecordMaps();
}

void CycleDetector::EndRecord() {
  mGetter.reset();
  mReady = false;
}

const CycleEvent& CycleDetector::GetEvent(int32_t n) const noexcept {
  if (n < 0 || n >= EventCount()) return mEmptyEvent;
  return mEvents[static_cast<size_t>(n)];
}

double CycleDetector::GetEventTime(int32_t row) const noexcept {
  if (row < 0 || static_cast<size_t>(row) >= mEventTimes.size()) return 0.0;
  return mEventTimes[static_cast<size_t>(row)];
}

double CycleDetector::GetEventStartTime(int32_t row) const {
  if (row < 0 || row >= EventCount()) return 0.0;
  const CycleEvent& event = GetEvent(row);
  const int32_t tick = event.record.peakStartTick >= 0 ? event.record.peakStartTick : event.record.tick;
  const QOR::ComPtr<IHostDataFile> file = DataFileOf(mHost);
  // The data file's own time, in double precision: late in a long record TStart's single precision is off in
  // the fourth decimal, and TStart shows four figures only.
  double time = 0.0;
  if (!file || FAILED(file->GetPositionTime(event.recordIndex, tick, &time))) return 0.0;
  return time;
}

bool CycleDetector::GetPlotRange(PlotRange& range) const noexcept {
  const double span = (mLatestOffset - mEarliestOffset) * 0.2;
  range.xMin = mEarliestOffset - span;
  range.xMax = mLatestOffset + span;
  if (!mHasRange) return false;
  range.yMin = mLowestValue;
  range.yMax = mHighestValue;
  return true;
}

int32_t CycleDetector::RebuildColumns() {
  mAnalysisType = AnalysisTypeSetting();
  mShownColumns.clear();
  const SettingsStore* const store = Settings();
  const ParamCatalogue* const catalogue = store ? store->GetCatalogue() : nullptr;
  if (!catalogue) return 0;
  const int count = catalogue->Count(mAnalysisType);
  for (int i = 0; i < count; ++i) {
    const int32_t id = catalogue->GetId(mAnalysisType, i);
    // A missing switch, or one that is not a Bool setting, hides the column.
    const ZRSetting_Bool* const on = store->GetBoolSetting(ColumnSwitchId(id));
    if (on && on->Get()) mShownColumns.push_back(id);
  }
  return ColumnCount();
}

int32_t CycleDetector::GetColumnParamId(int32_t column) const noexcept {
  if (column < 0 || column >= ColumnCount()) return -1;
  return mShownColumns[static_cast<size_t>(column)];
}

QOR::UnitWithPrefix CycleDetector::ChannelUnit(int32_t record) const {
  const SettingsStore* const store = Settings();
  const QOR::ComPtr<IHostDataDocument> document = DataDocumentOf(mHost);
  if (!store || !document) return QOR::UnitWithPrefix();
  return HostChannelUnit(document.Get(), store->GetCurrentChannel(), record);
}

QOR::String CycleDetector::GetColumnHeaderText(int32_t column) const {
  const int32_t id = GetColumnParamId(column);
  const SettingsStore* const store = Settings();
  const ParamCatalogue* const catalogue = store ? store->GetCatalogue() : nullptr;
  if (!catalogue || id < 0) return QOR::String();
  std::wstring header = catalogue->GetShortNameById(mAnalysisType, id).GetText();
  const QOR::UnitWithPrefix channel = ChannelUnit(-2);
  const std::wstring units = QOR::FormatUnitPrefix(ParameterUnits(id, channel.baseUnit, channel.prefix));
  if (!units.empty()) header += L" (" + units + L")";
  return QOR::String(header.c_str());
}

void CycleDetector::GetCellText(int32_t row, int32_t column, QOR::String& text, double* value) const {
  GetEventValue(row, GetColumnParamId(column), text, value);
}

void CycleDetector::GetEventValue(int32_t row, int32_t parameterId, QOR::String& text, double* value) const {
  const CycleEvent& event = GetEvent(row);
  if (parameterId == kTimeParameter) {
    text = QOR::String();
    const QOR::ComPtr<IHostDataFile> file = DataFileOf(mHost);
    if (!file) return;
    const TimeDisplay display = TimeDisplayOf(mHost);
    const double seconds = GetEventStartTime(row);
    text = FormattedTime(*file, seconds, kTimeTextFlags, display.mode);
    if (!display.clockTime) return;
    const QOR::String clock = FormattedTime(*file, seconds, kClockTimeTextFlags, display.mode);
    text = QOR::String((std::wstring(clock.GetText()) + L" " + text.GetText()).c_str());
    return;
  }
  text = QOR::String();
  if (!value) return;
  const QOR::UnitWithPrefix channel = ChannelUnit(event.recordIndex == 0x7FFFFFFF ? -2 : event.recordIndex);
  const QOR::UnitWithPrefix unit = ParameterUnits(parameterId, channel.baseUnit, channel.prefix);
  float measured = 0.0f;
  event.record.GetValueByIndex(parameterId, measured);
  // Widened once and scaled: a no-value marker stays a not-a-number.
  *value = static_cast<double>(measured) / QOR::PrefixMultiplier(unit.prefix);
}

}  // namespace ZR::Doc
