// ZR::Doc::ZRDoc: the analysis runs over the whole channel, the selection or the stored region,
// pulled record by record in chunks under the host's progress display, and the operations that
// change the stored region without a run.
#include "document/SettingIds.h"
#include "document/ZRDoc.h"

#include "document/AnalysisRegion.h"
#include "document/CycleDetector.h"
#include "document/DocumentStringIds.h"
#include "document/ExpressionBuilder.h"
#include "document/MarkerFormulas.h"
#include "document/ScrivoDataChildData.h"
#include "document/SettingsStore.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/DataDocument.h"
#include "hostapi/MessageService.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostProgress.h"

#include <algorithm>
#include <string>

namespace ZR::Doc {

namespace {

constexpr RegionPosition kOpenEnd{-1, -1};

ComPtr<IHostDataDocument> SourceOf(IUnknown* dataSource) {
  ComPtr<IHostDataDocument> source;
  if (dataSource) dataSource->QueryInterface(IID_IHostDataDocument, source.OutVoid());
  return source;
}

// Clears the flag on every way out of a run.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) noexcept : mFlag(flag) { mFlag = true; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;
  ~RunningFlag() { mFlag = false; }

 private:
  bool& mFlag;
};

}  // namespace

bool ZRDoc::IsAnalyzeWhileSampling() { return GetBool(kSettingWhileSampling); }

bool ZRDoc::HasAnalysis() { return GetBool(kSettingRegionStored); }

bool ZRDoc::HostSampling() { return mSampling || ExtLib::HostFlagIsSet(HostDataDocument()); }

RegionPosition ZRDoc::DataEnd() {
  RegionPosition end{0x7FFFFFFF, 0x7FFFFFFF};
  const ComPtr<IHostDataDocument> source = SourceOf(DataSource());
  if (!source || FAILED(source->GetDataEnd(0x80000000u, &end.record, &end.tick))) return RegionPosition{-1, -1};
  return end;
}

void ZRDoc::SetRegion(RegionPosition start, RegionPosition end) {
  SettingsStore& store = GetSettings();
  const int32_t values[] = {start.record, start.tick, end.record, end.tick};
  for (int i = 0; i < 4; ++i) store.SetLongValue(kSettingsRegion[i], values[i]);
}

// The host hears that the detector object follows a new analysis; nothing comes back.
void ZRDoc::AnnounceDetectorObject() {
  IMessageService* const service = GetMessageService();
  if (!service) return;
  const uint32_t data[2] = {static_cast<uint32_t>(GetSettings().GetLongValue(kSettingDetectorObject)), 4u};
  ComPtr<IMessage> message;
  if (SUCCEEDED(service->CreateMessage(DocIds::HostNotify52Message::Id(), 0, 0, 0, 0, data, message.Out())) &&
      message)
    ForwardToSite(DocIds::HostNotify52Message::Id(), message.Get());
}

bool ZRDoc::RunAnalysis(bool useStoredRegion, bool markerState) {
  bool ran = false;
  BatchChannelChecks([&] { ran = Analyse(useStoredRegion, markerState); });
  return ran;
}

void ZRDoc::StoreAnalysedChannel() {
  ComPtr<IZRSettingsChildData> childSettings;
  if (ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(DataDocument()))
    child->QueryInterface(IID_IZRSettingsChildData, childSettings.OutVoid());
  if (childSettings)
    childSettings->SetValues(GetSettings().GetCurrentChannel(), static_cast<int32_t>(0x80000000u));
}

bool ZRDoc::Analyse(bool useStoredRegion, bool markerState) {
  if (mRunning) return false;
  const RunningFlag running(mRunning);
  SettingsStore& store = GetSettings();

  RegionPosition start{0, 0};
  RegionPosition end{0, 0};
  if (useStoredRegion) {
    start = {static_cast<int32_t>(store.GetLongValue(kSettingRegionStartRecord)),
             static_cast<int32_t>(store.GetLongValue(kSettingRegionStartTick))};
    end = {static_cast<int32_t>(store.GetLongValue(kSettingRegionEndRecord)),
           static_cast<int32_t>(store.GetLongValue(kSettingRegionEndTick))};
  } else if (GetBool(kSettingAnalyseSelection)) {
    HostPosition from{-1, -1};
    HostPosition to{-1, -1};
    if (Selection()) Selection()->GetRange(&from, &to);  // nothing selected leaves (-1, -1)
    start = {from.record, from.tick};
    end = {to.record, to.tick};
  } else {
    end = DataEnd();
  }
  if (!useStoredRegion && GetBool(kSettingWhileSampling)) end = kOpenEnd;
  const bool valid = IsValidRegion(start.record, start.tick, end.record, end.tick);

  // Without a detector the chain would be the placeholder "77": the results stay as they are.
  std::wstring detectorText;
  if (valid && !BuildAnalysisExpression(store, DataDocument(), detectorText, ExpressionMode::kDetector)) {
    ShowMessage(IDS_ZR_NO_DETECTOR, MB_ICONHAND);
    return false;
  }

  StoreAnalysedChannel();
  // Markers removed earlier (their ids are -1) are made again before the run names them.
  for (const SettingId setting : kSettingsMarkerObjects)
    if (valid && store.GetLongValue(setting) < 0) {
      CreateHostMarkers();
      break;
    }
  SetMarkerObjectState(markerState);
  ClearResults();
  if (!valid) return false;
  {
    const WaitCursor wait;
    SetRegion(start, end);
    SetBool(kSettingRegionStored, true);
    SetBool(kSettingNoRegionStored, false);
  }
  if (end == kOpenEnd) end = DataEnd();

  SetupDetectionSource(DataDocument(), store);
  SetupDetectorFormula(DataDocument(), store);
  SetupCalculationFormula(DataDocument(), store);
  AnnounceDetectorObject();

  bool cancelled = false;
  const bool completed = PullRegion(start, end, cancelled);
  CycleDetector* const detector = GetCycleDetector();
  const int32_t count = detector ? detector->EventCount() : 0;
  if (mCurrentEvent >= static_cast<uint32_t>(std::max(count, 0))) mCurrentEvent = count > 0 ? count - 1 : 0;
  if (completed && GetBool(kSettingShowPeakMarkers)) AttachPeakMarkers();
  UpdateViews();
  return true;
}

bool ZRDoc::PullRegion(RegionPosition start, RegionPosition end, bool& cancelled) {
  const ComPtr<IHostDataDocument> source = SourceOf(DataSource());
  CycleDetector* const detector = GetCycleDetector();
  if (!source || !detector) {
    ClearResults();
    return false;
  }
  const int64_t total = ExtLib::CountTicks(source.Get(), TickPosition(start.record, start.tick),
                                           TickPosition(end.record, end.tick));
  const int32_t chunk = AnalysisChunkTicks(total);
  const ComPtr<IHostProgress> progress = CreateHostProgress(L"Processing", L"", L"");
  double done = 0.0;
  bool failed = false;
  for (int32_t record = start.record; record <= end.record && !cancelled && !failed; ++record) {
    if (progress) progress->SetText(QOR::String((L"Block " + std::to_wstring(record + 1)).c_str()).GetInterface());
    int32_t length = 0;
    source->GetRecordLength(record, &length);  // a failing record is pulled as empty
    const int32_t first = record == start.record ? start.tick : 0;
    const int32_t last = record == end.record ? end.tick : length;
    const bool begun = detector->BeginRecord(record, first, false);
    bool pulled = true;
    for (int32_t position = first; begun && pulled && position < last && !cancelled;) {
      const int32_t step = std::min(last - position, chunk);
      position += step;
      done += step;
      pulled = detector->ProcessTo(position);
      // Without a progress display the run goes on to the end: nobody can cancel it.
      if (progress && progress->SetPercent(total > 0 ? static_cast<int32_t>(done * 100.0 / total) : 100) != 0)
        cancelled = true;
    }
    detector->EndRecord();
    if (begun && pulled) continue;
    failed = true;
    ClearResults();
    if (begun) ShowMessage(IDS_ZR_OUT_OF_MEMORY, MB_ICONHAND);
  }
  if (cancelled) ClearResults();
  if (!cancelled && progress) progress->SetText(QOR::String(L"Updating Views").GetInterface());
  return !cancelled && !failed;
}

void ZRDoc::AnalyzeCurrentRegion() {
  BatchChannelChecks([&] {
    if (GetBool(kSettingWhileSampling) && GetBool(kSettingAnalyseSelection)) {
      HostPosition from{-1, -1};
      HostPosition to{-1, -1};
      if (Selection()) Selection()->GetRange(&from, &to);
      const RegionPosition end = DataEnd();
      if (!(RegionPosition{to.record, to.tick} == end)) {
        if (ShowMessage(IDS_ZR_ONLINE_SELECTION, MB_OKCANCEL | MB_ICONASTERISK) == IDCANCEL) return;
        SetBool(kSettingWhileSampling, false);
      }
    }
    RunAnalysis(false, true);
    ResetHostState();
    UpdateViews();
  });
}

void ZRDoc::ClearResults() {
  BatchChannelChecks([&] { ClearResultsNow(); });
}

void ZRDoc::ClearResultsNow() {
  DetachPeakMarkers();
  SetBool(kSettingRegionStored, false);
  SetBool(kSettingNoRegionStored, true);
  if (CycleDetector* const detector = GetCycleDetector()) detector->Clear();
  UpdateViews();
  if (!HostSampling()) ResetRegion();
  SetBool(kSettingRegionStored, false);
}

void ZRDoc::ResetRegion() {
  SetRegion({0, 0}, {0, 0});
  RunAnalysis(true, false);
}

void ZRDoc::Reanalyze() {
  BatchChannelChecks([&] {
    OnDataAttached();
    if (!HasAnalysis()) return;
    RunAnalysis(true, true);
    UpdateViews();
  });
}

void ZRDoc::ClearAnalysis() {
  BatchChannelChecks([&] {
    mCurrentEvent = 0;
    ClearResults();
    ResetHostState();
    if (IsAnalyzeWhileSampling()) SetAnalyzeWhileSampling(true, false);
  });
}

void ZRDoc::SetAnalyzeWhileSampling(bool on, bool storeSetting) {
  BatchChannelChecks([&] { SwitchAnalyzeWhileSampling(on, storeSetting); });
}

void ZRDoc::SwitchAnalyzeWhileSampling(bool on, bool storeSetting) {
  SettingsStore& store = GetSettings();
  if (on) {
    const RegionPosition dataEnd = DataEnd();
    const RegionPosition storedEnd{static_cast<int32_t>(store.GetLongValue(kSettingRegionEndRecord)),
                                   static_cast<int32_t>(store.GetLongValue(kSettingRegionEndTick))};
    const bool joins = storedEnd == dataEnd || storedEnd.record < 0;
    if (!joins || !HasAnalysis()) {
      if (!joins && HasAnalysis() && ShowMessage(IDS_ZR_ONLINE_REGION, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL)
        return;
      int32_t records = 0;
      if (const ComPtr<IHostDataDocument> source = SourceOf(DataSource())) source->GetRecordCount(&records);
      store.SetLongValue(kSettingRegionStartRecord, records);  // the record sampling writes next
      store.SetLongValue(kSettingRegionStartTick, 0);
    }
    store.SetLongValue(kSettingRegionEndRecord, -1);
    store.SetLongValue(kSettingRegionEndTick, -1);
    SetupDetectionSource(DataDocument(), store);
    SetupDetectorFormula(DataDocument(), store);
    SetMarkerObjectState(true);
  } else if (HasAnalysis()) {
    const RegionPosition dataEnd = DataEnd();
    store.SetLongValue(kSettingRegionEndRecord, dataEnd.record);
    store.SetLongValue(kSettingRegionEndTick, dataEnd.tick);
  }
  if (storeSetting) {
    SetBool(kSettingWhileSampling, on);
    ResetHostState();
  }
  if (!GetBool(kSettingNoRegionStored)) {
    long region[4];
    for (int i = 0; i < 4; ++i) region[i] = store.GetLongValue(kSettingsRegion[i]);
    ResetRegion();
    for (int i = 0; i < 4; ++i) store.SetLongValue(kSettingsRegion[i], region[i]);
    RunAnalysis(true, true);
  }
  UpdateOnlineSinkRegistration();
}

void ZRDoc::UpdateOnlineSinkRegistration() {
  ComPtr<IOnlineDataService> service;
  if (DataFile()) DataFile()->QueryInterface(IID_IOnlineDataService, service.OutVoid());
  if (!service) return;
  if (IsAnalyzeWhileSampling())
    service->RegisterSink(static_cast<IOnlineDataSink*>(this));
  else
    service->UnregisterSink(static_cast<IOnlineDataSink*>(this));
}

}  // namespace ZR::Doc
