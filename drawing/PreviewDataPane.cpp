// The preview pane: recorded and live data, the bars and the trace actions.
#include "drawing/PreviewDataPane.h"

#include "drawing/PreviewResourceIds.h"
#include "hostapi/ObserverRegistry.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/HostMessageBox.h"
#include "hostclient/TypeIds.h"
#include "platform/owl/TModule.h"

#include <algorithm>
#include <string>

namespace ScrivoDraw {

namespace {

// The preview's own message class: number 0 is the preview-mode announcement.
inline constexpr GUID PreviewModeMessageGUID = {
    0xE1FD12B0, 0xD8EE, 0x483F, {0x8B, 0xF4, 0xFA, 0xF6, 0x2F, 0xE9, 0x3B, 0x4B}};
using PreviewModeMessage = MsgIdClass<&PreviewModeMessageGUID, 0>;

// What the preview-mode announcement carries: 1 while live data is shown, and its source.
struct PreviewModeData {
  uint32_t live;
  IUnknown* source;
};

// Gaps between the lanes' columns and the bars beside them, in pixels.
constexpr int32_t kBarGap = 5;
// The sampling control's preparation for a preview run.
constexpr int32_t kPrepareA = 0;
constexpr uint32_t kPrepareB = 0x80000000u;
constexpr int32_t kPrepareC = 1;
constexpr uint32_t kShowLiveData = 0x80000000u;

std::wstring TextOf(QOR::IQORString* text) {
  const wchar_t* const chars = text ? text->GetText() : nullptr;
  return chars ? std::wstring(chars) : std::wstring();
}

}  // namespace

PreviewDataPane::PreviewDataPane(IPaneDataSource* recorded) : DataPane(recorded), mRecordedSource(recorded) {
  // A preview's lanes show their values on the axes in the pane's margins; a label column at the
  // start of each record would only repeat them, before time 0, as if it were data.
  mLaneAttributes = 0;
  // A preview scrolled to a record's start shows that record from its start.
  mShortDataAtLeft = true;
}

PreviewDataPane::~PreviewDataPane() {
  DropOnlineSink();
  mAllowCallback = nullptr;
}

void PreviewDataPane::AttachWindow(HWND parent, HWND window) noexcept {
  try {
    mPreviewControl = CreatePreviewControl(mPreviewBarFlags);
    mTraceControl.reset();
    if (mModeFlags & kModeFlagTraceBar) mTraceControl = CreateTraceControl(mModeFlags);
  } catch (...) {
    // A bar that cannot be made is left out; the pane works without it.
  }
  if (mPreviewControl) mPreviewControl->Enable(HasSamplingSource());
  DataPane::AttachWindow(parent, window);
}

HRESULT PreviewDataPane::DetachWindow() noexcept {
  HRESULT const stopped = mSamplingSource ? mSamplingSource->Stop(0) : S_FALSE;
  DataPane::DetachWindow();
  return stopped;
}

// The label columns hold the bars beside the lanes: the preview bar on the right, the trace
// bar on the left.
HRESULT PreviewDataPane::SetPageRect(const RECT& rect) noexcept {
  if (mPreviewControl) mMinAxisWidth2 = mPreviewControl->GetSize().cx + kBarGap;
  if (mTraceControl) mMinAxisWidth1 = mTraceControl->GetSize().cx + kBarGap;
  return DataPane::SetPageRect(rect);
}

HRESULT PreviewDataPane::SetDataSource(uint32_t flags, IPaneDataSource* source, const int64_t* position) noexcept {
  mRecordedSource = QOR::ComPtr<IPaneDataSource>(source);
  HRESULT const result = DataPane::SetDataSource(flags, source, position);
  DropOnlineSink();
  return result;
}

int32_t PreviewDataPane::WindowLeftInParent() const noexcept {
  if (!mWindow) return 0;
  RECT placed{};
  if (!GetWindowRect(mWindow, &placed)) return 0;
  MapWindowPoints(nullptr, mParentWindow, reinterpret_cast<POINT*>(&placed), 2);
  return placed.left;
}

int32_t PreviewDataPane::ZoomRowHeight() { return mPreviewControl ? mPreviewControl->GetSize().cy : 0; }

HRESULT PreviewDataPane::SetClientSize(SIZE size) noexcept {
  HRESULT const result = DataPane::SetClientSize(size);
  if (!mPreviewControl && !mTraceControl) return result;
  int32_t const origin = WindowLeftInParent();
  int32_t const y = mPageRect.bottom - ZoomRowHeight() + 1;
  if (mPreviewControl) {
    SIZE const bar = mPreviewControl->GetSize();
    // Right-aligned in the right label column, which is at least as wide as the bar.
    int32_t const column = std::max(mAxisWidth2, mMinAxisWidth2);
    int32_t const x = mAxisWidth2 != 0 ? mClientRect.right + mClientRect.left - bar.cx + column
                                       : mClientRect.right + mClientRect.left + kBarGap;
    mPreviewControl->MoveTo(RECT{origin + x, y, origin + x + bar.cx, y + bar.cy});
  }
  if (mTraceControl) {
    SIZE const bar = mTraceControl->GetSize();
    int32_t const column = std::max(mAxisWidth1, mMinAxisWidth1);
    int32_t const x = origin + mClientRect.left - column;
    // A left label column narrower than the bar cannot hold it: the bar is hidden (no size).
    bool const fits = column >= bar.cx;
    mTraceControl->MoveTo(RECT{x, y, fits ? x + bar.cx : x, fits ? y + bar.cy : y});
  }
  return result;
}

// ---- sampling ----

HRESULT PreviewDataPane::SetSamplingSource(IHostSamplingControl* control) noexcept {
  // The old control still stops the run the preview bar's reset ends.
  if (!control && mMode != kModeRecorded && mPreviewControl) mPreviewControl->Reset();
  if (!control && mMode != kModeRecorded && !mPreviewControl) SetMode(kModeRecorded);
  if (mOnlineSink) {
    if (mSamplingSource) mSamplingSource->Unhook(mOnlineSink.Get());
    if (control) control->Hook(mOnlineSink.Get());
  }
  mSamplingSource = QOR::ComPtr<IHostSamplingControl>(control);
  if (mPreviewControl) mPreviewControl->Enable(control != nullptr);
  return S_OK;
}

HRESULT PreviewDataPane::StartSampling() noexcept {
  if (!mOnlineSink || !mSamplingSource) return E_FAIL;
  VARIANT_BOOL sampling = VARIANT_FALSE;
  mSamplingSource->IsSampling(&sampling);
  if (sampling) return S_FALSE;
  return StartRun();
}

HRESULT PreviewDataPane::StartRun() {
  mSamplingSource->Prepare(kPrepareA, kPrepareB, kPrepareC);
  QOR::ComPtr<QOR::IQORString> text;
  VARIANT_BOOL mayStart = VARIANT_FALSE;
  HRESULT result = mSamplingSource->GetStartText(text.Out(), &mayStart);
  if (FAILED(result) || !mayStart) return result;
  result = mSamplingSource->Start(0.0, text.Get());
  if (FAILED(result) && result != kSamplingDeclined) ShowStartFailure(text.Get());
  return result;
}

void PreviewDataPane::ShowStartFailure(QOR::IQORString* text) noexcept {
  try {
    std::wstring message = TextOf(text);
    if (message.empty()) message = OWL::TModule::Default().LoadString(IDS_SAMPLING_FAILED);
    std::wstring const caption = OWL::TModule::Default().LoadString(IDS_SAMPLING_CAPTION);
    HostMessageBox(message.c_str(), caption.c_str());
  } catch (...) {
    // No memory for the texts: the failure still comes back as the start's answer.
  }
}

HRESULT PreviewDataPane::StopSampling() noexcept {
  if (!mOnlineSink || !mSamplingSource) return S_FALSE;
  VARIANT_BOOL sampling = VARIANT_FALSE;
  mSamplingSource->IsSampling(&sampling);
  if (!sampling) return S_FALSE;
  HRESULT const stopped = mSamplingSource->Stop(0);
  InvalidateLanes();
  return stopped;
}

HRESULT PreviewDataPane::MakeOnlineSink() {
  QOR::ComPtr<IOnlineSinkFactory> factory;
  if (!mRecordedSource) return E_UNEXPECTED;
  HRESULT hr = mRecordedSource->QueryInterface(IID_IOnlineSinkFactory, factory.OutVoid());
  if (FAILED(hr) || !factory) return FAILED(hr) ? hr : E_NOINTERFACE;
  QOR::ComPtr<IPaneDataSource> sink;
  hr = factory->CreateOnlineSink(sink.Out());
  if (FAILED(hr) || !sink) return FAILED(hr) ? hr : E_FAIL;
  hr = mSamplingSource->Hook(sink.Get());
  if (FAILED(hr)) return hr;
  mOnlineSink = sink;
  mSavedPosition = mScrollPos;
  DataPane::SetDataSource(kShowLiveData, sink.Get(), nullptr);
  return S_OK;
}

void PreviewDataPane::DropOnlineSink() noexcept {
  if (!mOnlineSink) return;
  if (mSamplingSource) mSamplingSource->Unhook(mOnlineSink.Get());
  mOnlineSink = nullptr;
}

int32_t PreviewDataPane::SetMode(int32_t mode) {
  if (!mSamplingSource) return 0;
  if (mode == kModeAgain) {
    mode = mMode;
  } else if (mode == mMode) {
    return kModeAgain;
  }
  HRESULT result = S_OK;
  switch (mode) {
    case kModeRecorded:
      result = mSamplingSource->Stop(0);
      DropOnlineSink();
      DataPane::SetDataSource(kShowLiveData, mRecordedSource.Get(), &mSavedPosition);
      break;
    case kModeSampling:
      if (!mOnlineSink) result = MakeOnlineSink();
      if (FAILED(result)) {
        ShowStartFailure(nullptr);
        return result;
      }
      result = StartRun();
      break;
    case kModePaused:
      result = mSamplingSource->Stop(0);
      break;
    default:
      return 0;
  }
  mMode = mode;
  return result;
}

void PreviewDataPane::AnnouncePreviewMode(bool live) {
  IObserverRegistry* const registry = GetObserverRegistry();
  if (!registry) return;
  PreviewModeData data{live ? 1u : 0u, live ? mOnlineSink.Get() : static_cast<IUnknown*>(mRecordedSource.Get())};
  registry->NotifySubject(static_cast<IOnlineDataSink*>(this), PreviewModeMessage::Id() << 16, &data);
}

// ---- traces ----

bool PreviewDataPane::AskAllowed(bool allowed) { return mAllowCallback ? mAllowCallback(allowed) : true; }

// Each trace keeps its own autoscaled span; the spans grow to opposite sides, the source trace's
// downwards and the derived trace's upwards, so the first lies above the second.
void PreviewDataPane::StackTraces() {
  ChannelPane* const lane = Lane(0);
  if (!lane) return;
  double low = 0.0;
  double high = 0.0;
  if (SUCCEEDED(GetAxisRange(1, &low, &high))) lane->SetAxisRange(1, low - (high - low), high);
  if (SUCCEEDED(lane->GetAxisRange(2, &low, &high)) && high != low) lane->SetAxisRange(2, low, high + (high - low));
}

void PreviewDataPane::TraceAction(int32_t code, uint8_t flags) {
  if (GetLaneCount() == 0) return;
  switch (code) {
    case kTraceOverlay:
    case kTraceStack:
      ResetAxisScale(0, 1);
      ResetAxisScale(0, 2);
      if (code == kTraceStack) StackTraces();
      return;
    case kTraceSourceOnly:
      if (flags & 1) {
        ResetAxisScale(0, 1);
        AskAllowed(false);
        InvalidateLanes();
      } else if (flags & 2) {
        AskAllowed(true);
        InvalidateLanes();
      }
      return;
    default:
      return;
  }
}

}  // namespace ScrivoDraw
