// ZR::Doc::ZRDoc: the current event and the host's notifications about changed data, channels
// and marker objects.
#include "document/ZRDoc.h"

#include "document/CycleDetector.h"
#include "document/DocumentView.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/ChildDocumentList.h"
#include "hostapi/DataDocument.h"
#include "hostapi/HostViewCursor.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/EventIterSet.h"
#include "hostclient/ShowComment2Msg.h"

namespace ZR::Doc {

void ZRDoc::SetCurrentEvent(uint32_t event, uint32_t flags) {
  mCurrentEvent = event;
  RefreshView(0);
  if ((flags & kSelectTableRow) && mViews[1].attached && mViews[1].view) mViews[1].view->SelectEventRow(event);
  const CycleDetector* const detector = GetCycleDetector();
  if (!detector) return;
  const CycleEvent& current = detector->GetEvent(static_cast<int32_t>(event));
  if (current.recordIndex == 0x7FFFFFFF) return;  // past the events: the host is left alone
  if (flags & kMoveHostView) MoveHostView(current);
  if (flags & kShowInHost) ShowEventInHost(current, (flags & kShowInHostExtra) != 0);
}

QOR::String ZRDoc::GetSourceChannelName() {
  // The channel's own title, whatever the records call it.
  return QOR::String(ExtLib::GetChannelTitle(DataDocument(), GetSettings().GetCurrentChannel(), 0).c_str());
}

void ZRDoc::ShowCurrentEventInHost() {
  const CycleDetector* const detector = GetCycleDetector();
  if (!detector) return;
  const CycleEvent& current = detector->GetEvent(static_cast<int32_t>(mCurrentEvent));
  if (current.recordIndex != 0x7FFFFFFF) ShowEventInHost(current, false);
}

// The event's comment, found among every event source the host draws, goes to the host's view
// in a show-comment message; only while the peak markers are shown.
void ZRDoc::ShowEventInHost(const CycleEvent& event, bool extra) {
  if (!GetBool(kSettingShowPeakMarkers) || !DataFile()) return;
  ComPtr<IScrivoCommentEx> comment;
  {
    QOREvent::EventIterSet set(0, DataFile(), GetSettings().GetCurrentChannel(), event.recordIndex,
                               event.record.tick);
    set.AddHostSources();
    if (ScrivoClient::BuildComment(set, comment.Out()) != 0 || !comment) return;
  }
  ComPtr<IMessage> message;
  const uint32_t flags = ScrivoClient::kShowCommentFlags | (extra ? ScrivoClient::kShowCommentExtra : 0u);
  if (SUCCEEDED(ScrivoClient::NewShowComment2Msg(comment.Get(), flags, message.Out())) && message)
    Send(message.Get(), static_cast<ICustomDocument2*>(this));  // the host's answer changes nothing here
}

// The host's recording view goes to the event's time; without the view's cursor nothing moves.
void ZRDoc::MoveHostView(const CycleEvent& event) {
  double seconds = 0.0;
  if (!DataFile() || FAILED(DataFile()->GetPositionTime(event.recordIndex, event.record.tick, &seconds))) return;
  ComPtr<IHostChildDocumentList> children;
  if (HostDataDocument()) HostDataDocument()->QueryInterface(IID_IHostChildDocumentList, children.OutVoid());
  ComPtr<IUnknown> view;
  if (!children || FAILED(children->GetChildObject(DocIds::HostUiTypeId2::Id(), 0, view.Out())) || !view) return;
  ComPtr<IHostViewCursor> cursor;
  if (SUCCEEDED(view->QueryInterface(IID_IHostViewCursor, cursor.OutVoid())) && cursor)
    cursor->MoveToTime(seconds, 1);  // the view's answer changes nothing here
}

void ZRDoc::OnDataChangedAt(uint32_t tick, uint32_t record) {
  BatchChannelChecks([&] { DataChangedAt(static_cast<int32_t>(tick), static_cast<int32_t>(record)); });
}

void ZRDoc::DataChangedAt(int32_t t, int32_t r) {
  if (HasAnalysis()) {
    const SettingsStore& store = GetSettings();
    const long endRecord = store.GetLongValue(kSettingRegionEndRecord);
    const long endTick = store.GetLongValue(kSettingRegionEndTick);
    if (endRecord == -1 || r < endRecord || (r == endRecord && t <= endTick)) {
      mCurrentEvent = 0;
      ClearResults();
      CheckChannelCalculations();
    }
  }
  if (GetBool(kSettingWhileSampling)) SetAnalyzeWhileSampling(true, false);
}

void ZRDoc::OnDataChangedAtDetach(uint32_t tick, uint32_t record) {
  BatchChannelChecks([&] {
    DataChangedAt(static_cast<int32_t>(tick), static_cast<int32_t>(record));
    DetachPeakMarkers();
  });
}

void ZRDoc::OnMarkersNotice() { DetachPeakMarkers(); }

void ZRDoc::OnChannelDataChanged(uint32_t channel) {
  if (static_cast<int32_t>(channel) != GetSettings().GetCurrentChannel()) return;
  BatchChannelChecks([&] {
    mCurrentEvent = 0;
    ClearResults();
    CheckChannelCalculations();
  });
}

bool ZRDoc::ChannelChange(int32_t channel, uint32_t flags) {
  uint32_t dependents = 0;
  uint32_t second = 0;
  if (!DataFile() || FAILED(DataFile()->GetChannelDependents(0, channel, flags, VARIANT_TRUE, &dependents, &second)))
    return false;
  if (channel >= 0 && channel < 32) dependents |= 1u << channel;
  const int32_t analysed = GetSettings().GetCurrentChannel();
  if (analysed < 0 || analysed >= 32 || !((dependents >> analysed) & 1u)) return false;
  if (mSampling) {
    ClearResults();
  } else if (HasAnalysis()) {
    RunAnalysis(true, true);
    CheckChannelCalculations();
  }
  return true;
}

void ZRDoc::OnChannelChanged(uint32_t channel, uint32_t flags) {
  BatchChannelChecks([&] { ChannelChange(static_cast<int32_t>(channel), flags); });
}

void ZRDoc::OnChannelSettingsChanged(uint32_t, uint32_t, uint32_t channel) {
  BatchChannelChecks([&] {
    if (ChannelChange(static_cast<int32_t>(channel), 0xC0000000u)) RefreshView(1);
  });
}

}  // namespace ZR::Doc
