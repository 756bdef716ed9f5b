// ZR::Doc::ZRDoc: analysis while sampling: the online sink's callbacks feed each new batch of
// the sampled record to the cycle detector, and the views follow the newest event.
#include "document/ZRDoc.h"

#include "document/CycleDetector.h"
#include "document/DocumentView.h"
#include "document/MarkerFormulas.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "grid/ITableViewManager.h"
#include "hostapi/DataDocument.h"
#include "hostclient/ComBoundary.h"

namespace ZR::Doc {

namespace {

constexpr int kAnalysisViewSlot = 0;
constexpr int kTableViewSlot = 1;

}  // namespace

void ZRDoc::RefreshView(int slot) {
  const ViewSlot& view = mViews[slot];
  if (view.attached && view.view) view.view->Refresh();
}

HRESULT STDMETHODCALLTYPE ZRDoc::OnSamplingStart() noexcept {
  mSampling = true;
  return ComTry([&] { StartSampling(); });
}

void ZRDoc::StartSampling() {
  if (!IsAnalyzeWhileSampling()) return;
  SettingsStore& store = GetSettings();
  DetachPeakMarkers();
  store.SetLongValue(kSettingRegionEndRecord, -1);
  store.SetLongValue(kSettingRegionEndTick, -1);
  SetBool(kSettingNoRegionStored, false);
  if (!HasAnalysis()) {
    // The new region starts at the record sampling writes next.
    int32_t records = 0;
    if (DataDocument()) DataDocument()->GetRecordCount(&records);
    store.SetLongValue(kSettingRegionStartRecord, records);
    store.SetLongValue(kSettingRegionStartTick, 0);
    StoreAnalysedChannel();  // a new analysis begins, as a run's does
    SetupDetectionSource(DataDocument(), store);
    SetupDetectorFormula(DataDocument(), store);
    SetupCalculationFormula(DataDocument(), store);
    CheckChannelCalculations();
    AnnounceDetectorObject();
  }
  if (GetBool(kSettingShowPeakMarkers)) AttachPeakMarkers();
  const CycleDetector* const detector = GetCycleDetector();
  const int32_t count = detector ? detector->EventCount() : 0;
  mCurrentEvent = count > 0 ? static_cast<uint32_t>(count - 1) : 0;
  RefreshView(kAnalysisViewSlot);
}

HRESULT STDMETHODCALLTYPE ZRDoc::OnRecordStart(int32_t, VARIANT_BOOL sampled) noexcept {
  mRecordSampling = sampled != VARIANT_FALSE;
  mRecordActive = true;
  mTicksInRecord = 0;
  // The record comes from the data file itself, so that a sink that missed a call still
  // analyses the record sampling really writes.
  if (!DataFile() || FAILED(DataFile()->GetSampledRecord(&mSampledRecord))) return E_FAIL;
  return ComTry([&] {
    if (!mRecordSampling || !IsAnalyzeWhileSampling()) return;
    if (!HasAnalysis()) {
      SettingsStore& store = GetSettings();
      store.SetLongValue(kSettingRegionStartRecord, mSampledRecord);
      store.SetLongValue(kSettingRegionStartTick, mTicksInRecord);
      SetBool(kSettingRegionStored, true);
    }
    mRestartRecord = true;
  });
}

HRESULT STDMETHODCALLTYPE ZRDoc::OnNewData(int32_t, int32_t tickCount) noexcept {
  // The host reports the ticks the record holds now, not the batch.
  if (tickCount > mTicksInRecord) mTicksInRecord = tickCount;
  if (!mRecordActive || !mRecordSampling) return S_OK;
  return ComTry([&] {
    if (IsAnalyzeWhileSampling()) AnalyseNewData();
  });
}

void ZRDoc::AnalyseNewData() {
  CycleDetector* const detector = GetCycleDetector();
  if (!detector) return;
  if (mRestartRecord) {
    detector->BeginRecord(mSampledRecord, 0, true);  // a failing start leaves the record unanalysed
    mRestartRecord = false;
  }
  const int32_t before = detector->EventCount();
  detector->ProcessTo(mTicksInRecord);  // events found before a failure stay
  if (detector->EventCount() == before) return;
  if (static_cast<int64_t>(mCurrentEvent) == static_cast<int64_t>(before) - 1) mCurrentEvent = before;
  RefreshView(kTableViewSlot);
  RefreshView(kAnalysisViewSlot);
  if (mTableManager) mTableManager->ShowRow(0, -1);
}

HRESULT STDMETHODCALLTYPE ZRDoc::OnRecordEnd(int32_t record, int32_t tickCount) noexcept {
  static_cast<IOnlineDataSink*>(this)->OnNewData(record, tickCount);
  mRecordActive = false;
  return ComTry([&] {
    if (!IsAnalyzeWhileSampling() || !mRecordSampling) return;
    if (CycleDetector* const detector = GetCycleDetector()) detector->EndRecord();
  });
}

HRESULT STDMETHODCALLTYPE ZRDoc::OnSamplingStop() noexcept {
  mSampling = false;
  return ComTry([&] {
    if (HasAnalysis() && IsAnalyzeWhileSampling()) CheckChannelCalculations();
  });
}

}  // namespace ZR::Doc
