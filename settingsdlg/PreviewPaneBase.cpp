// The settings page's preview window, its axes and its view.
#include "settingsdlg/PreviewPaneBase.h"

#include "base/Rational.h"
#include "drawing/PreviewDataWin.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostapi/DocumentDisplay.h"
#include "hostapi/HostDocument.h"
#include "hostapi/ObjectFactory.h"
#include "hostclient/FrameworkAccess.h"
#include "platform/uihelpers/ColourPalettes.h"
#include "platform/uihelpers/WindowHelpers.h"

#include <algorithm>

namespace ExtLib {

namespace {

constexpr uint32_t kPreviewDataFlags = 0xC0000000u;
constexpr int32_t kLeastCountLimit = 16;
constexpr uint32_t kPreparePreview = 0x80000000u;
constexpr int32_t kPreviewDisplayMode = 2;

int32_t AxisOf(int32_t which) noexcept { return which == 0 ? 1 : 2; }

}  // namespace

PreviewPaneBase::PreviewPaneBase() = default;

PreviewPaneBase::~PreviewPaneBase() {
  samplingSource = nullptr;
  dataInterface = nullptr;
  window.reset();
}

void(PreviewPaneBase::CreateWindow)(IHostDocument* document, IUnknown* file, OWL::TWindow* parentWindow) {
  hostDocument = document;
  dataFile = file;
  parent = parentWindow;
  countLimit = 0;
  record = 0;
  gridOptionOn = true;
  dataInterface = nullptr;
  QOR::ComPtr<IPreviewDataProvider> provider;
  if (file && SUCCEEDED(file->QueryInterface(IID_IPreviewDataProvider, provider.OutVoid())) && provider)
    provider->GetPreviewData(kPreviewDataFlags, dataInterface.Out());
  window.reset();
  window = std::make_unique<ScrivoDraw::PreviewDataWinWButtons>(parent, dataInterface.Get());
  // A page makes its preview before its own window exists: the page's set-up creates it then.
  window->EnableAutoCreate();
  if (parent && parent->GetHandle()) window->Create();
  if (hostDocument) window->SetDisplayMode(HostDisplayMode());
  ReadDisplayOptions();
  TakeSamplingControl();
  countLimit = std::max(MaxOfThreeCounts(hostDocument), kLeastCountLimit);
  windowMade = true;
}

// The host document's display mode; a document that gives none leaves the preview's own, 2.
int32_t PreviewPaneBase::HostDisplayMode() const {
  int32_t mode = kPreviewDisplayMode;
  QOR::ComPtr<IHostDocumentDisplay> display;
  if (hostDocument && SUCCEEDED(hostDocument->QueryInterface(IID_IHostDocumentDisplay, display.OutVoid())) && display)
    display->GetDisplayMode(&mode);
  return mode;
}

// The grid's colour and whether it is drawn, as the host document displays its channels.
void PreviewPaneBase::ReadDisplayOptions() {
  QOR::ComPtr<IHostDocumentDisplay> display;
  if (!hostDocument || FAILED(hostDocument->QueryInterface(IID_IHostDocumentDisplay, display.OutVoid())) || !display)
    return;
  QOR::ComPtr<IHostColourScheme> options;
  if (FAILED(display->GetDisplayOptions(options.Out())) || !options) return;
  int32_t index = 0;
  if (SUCCEEDED(
          options->GetEntryInteger(kColourEntryGraticule, CreateEntryObject(kColourEntryGraticule).Get(), &index))) {
    QOR::ComPtr<IHostIndexedColours> colours;
    IHostApplication* const application = GetHostApplication();
    COLORREF colour = CLR_INVALID;
    if (application && SUCCEEDED(application->QueryInterface(IID_IHostIndexedColours, colours.OutVoid())) && colours &&
        SUCCEEDED(colours->GetIndexedColour(index, &colour)))
      graticuleColour = colour;
    else
      graticuleColour = QOR::GetPaletteColour(static_cast<uint16_t>(index));
  }
  options->GetEntryValue(kColourEntryGraticuleStyle, CreateEntryObject(kColourEntryGraticuleStyle).Get(), &hostOption2);
  uint32_t grid = 1;
  if (SUCCEEDED(options->GetEntryValue(kColourEntry09, CreateEntryObject(kColourEntry09).Get(), &grid)))
    gridOptionOn = grid != 0;
}

// A host document that can sample now (its device free, at least one) lends the preview its
// sampling control, made ready for a preview run.
void PreviewPaneBase::TakeSamplingControl() {
  samplingSource = nullptr;
  QOR::ComPtr<IHostSamplingProvider> provider;
  if (!hostDocument || FAILED(hostDocument->QueryInterface(IID_IHostSamplingProvider, provider.OutVoid())) ||
      !provider)
    return;
  VARIANT_BOOL busy = VARIANT_TRUE;
  int32_t devices = 0;
  if (FAILED(provider->IsDeviceBusy(0, &busy)) || busy || FAILED(provider->GetDeviceCount(0, &devices)) ||
      devices <= 0)
    return;
  if (FAILED(provider->GetSamplingControl(samplingSource.Out())) || !samplingSource) return;
  samplingSource->Prepare(0, kPreparePreview, 0);
  window->SetSamplingSource(samplingSource.Get());
}

void PreviewPaneBase::SetSamplingSource(bool on) {
  if (window) window->SetSamplingSource(on ? samplingSource.Get() : nullptr);
}

void PreviewPaneBase::ResetScale(int32_t which, const AxisRange* given) {
  if (!window) return;
  int32_t const axis = AxisOf(which);
  VARIANT_BOOL follows = VARIANT_FALSE;
  if (SUCCEEDED(window->AnyLaneAxisFlag(axis, &follows)) && follows) {
    window->ResetAxisScale(0, axis);
  } else if (given) {
    SetAxisRange(which, *given);
  }
  if (given && window->GetLaneCount() > 0) window->Lane(0)->SetAxisRangeEx(axis, given->first, given->second, true, false);
}

void PreviewPaneBase::SetAxisRange(int32_t which, AxisRange range) {
  if (!window || window->GetLaneCount() == 0) return;
  int32_t const axis = AxisOf(which);
  ScrivoDraw::ChannelPane* const lane = window->Lane(0);
  lane->SetAxisRange(axis, range.first, range.second);
  lane->SetAxisRangeEx(axis, range.first, range.second, true, false);
}

void PreviewPaneBase::PlaceOverPlaceholder(int32_t recordIndex) {
  record = recordIndex;
  if (!window || !parent || !parent->GetHandle()) return;
  OWL::TRect const place = QOR::GetDialogItemRect(parent->GetHandle(), kPreviewPlaceholderId);
  window->SetPageRect(place);
  // The page's group box around the placeholder lies over the whole preview: the preview clips
  // its siblings, so it must stand above them or it is never seen.
  SetWindowPos(window->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int32_t lane = 0; lane < window->GetLaneCount(); ++lane) window->Lane(lane)->BringAxesToTop();
}

void PreviewPaneBase::GetViewPosition(int64_t* position, double* zoom) const {
  if (!window || !position || !zoom) return;
  int32_t tick = 0;
  if (SUCCEEDED(window->GetVisibleStart(&tick))) *position = tick;
  ScrivoDraw::PaneRational const scaling = window->GetHorizontalScaling();
  *zoom = static_cast<double>(scaling.numerator) / static_cast<double>(scaling.denominator);
}

void PreviewPaneBase::SetViewPosition(int64_t position, double zoom) {
  if (!window) return;
  int32_t numerator = 0;
  int32_t denominator = 1;
  RatioFromDouble(zoom, numerator, denominator);
  QORRationalImp ratio{numerator, denominator};
  try {
    ratio.Normalize();
  } catch (const QORRationalImp::bad_rational&) {
    return;
  }
  if (ratio.num <= 0) return;  // no scaling of zero or fewer samples per pixel
  window->SetHorizontalScaling(ScrivoDraw::PaneRational{ratio.num, ratio.den}, nullptr);
  window->ScrollToTick(static_cast<int32_t>(std::clamp<int64_t>(position, 0, INT32_MAX)), record);
}

}  // namespace ExtLib
