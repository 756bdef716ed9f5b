// ZR::Doc::ZRDoc: the current event and the host's notifications about changed data, channels
// and marker objects.
#include "document/ZRDoc.h"

#include "document/CycleDetector.h"
#include "document/SettingsStore.h"
#include "hostapi/DataDocument.h"
#include "views/ZRViewBase.h"

namespace ZR::Doc {

namespace {

constexpr int32_t kWhileSampling = 2009;
constexpr int32_t kShowPeakMarkers = 2010;

}  // namespace

void ZRDoc::SetCurrentEvent(uint32_t event, uint32_t flags) {
  mCurrentEvent = event;
  RefreshView(0);
  if ((flags & kSelectTableRow) && mViews[1].attached && mViews[1].view) mViews[1].view->SelectEventRow(event);
  const CycleDetector* const detector = GetCycleDetector();
  if (!detector || detector->GetEvent(static_cast<int32_t>(event)).recordIndex == 0x7FFFFFFF) return;
  if (flags & kShowInHost) ShowEventInHost(event, (flags & kShowInHostExtra) != 0);
}

void ZRDoc::ShowCurrentEventInHost() {
  const CycleDetector* const detector = GetCycleDetector();
  if (!detector || mCurrentEvent >= static_cast<uint32_t>(detector->EventCount())) return;
  ShowEventInHost(mCurrentEvent, false);
}

// The stand-in host has no comments of its own to show: only the setting is honoured.
void ZRDoc::ShowEventInHost(uint32_t, bool) {
  if (!GetBool(kShowPeakMarkers)) return;
}

void ZRDoc::CheckChannelCalculations() {}

void ZRDoc::OnDataChangedAt(uint32_t tick, uint32_t record) {
  if (HasAnalysis()) {
    const SettingsStore& store = GetSettings();
    const long endRecord = store.GetLongValue(2007);
    const long endTick = store.GetLongValue(2008);
    const auto r = static_cast<int32_t>(record);
    const auto t = static_cast<int32_t>(tick);
    if (endRecord == -1 || r < endRecord || (r == endRecord && t <= endTick)) {
      mCurrentEvent = 0;
      ClearResults();
      CheckChannelCalculations();
    }
  }
  if (GetBool(kWhileSampling)) SetAnalyzeWhileSampling(true, false);
}

void ZRDoc::OnDataChangedAtDetach(uint32_t tick, uint32_t record) {
  OnDataChangedAt(tick, record);
  DetachPeakMarkers();
}

void ZRDoc::OnMarkersNotice() { DetachPeakMarkers(); }

void ZRDoc::OnChannelDataChanged(uint32_t channel) {
  if (static_cast<int32_t>(channel) != GetSettings().GetCurrentChannel()) return;
  mCurrentEvent = 0;
  ClearResults();
  CheckChannelCalculations();
}

}  // namespace ZR::Doc
