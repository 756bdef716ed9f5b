// The detector preview's axis defaults.
#include "settingsdlg/ZRPreviewBase.h"

#include "document/SettingsStore.h"
#include "drawing/PreviewDataWin.h"
#include "hostapi/DataFile.h"
#include "hostapi/DataObjects.h"

namespace ZR {

namespace {
// The document's marker objects are module data objects.
constexpr uint32_t kMarkerKind = 4;
constexpr int kSourceMarkerSetting = 2023;
constexpr int kEventMarkerSetting = 2024;
}  // namespace

ZRPreviewBase::ZRPreviewBase(IHostDocument* document, IUnknown* file, OWL::TWindow* parentWindow,
                             Doc::SettingsStore* store)
    : settings(store) {
  (CreateWindow)(document, file, parentWindow);
  unitsKnown = false;
  ReadMarkers();
}

void ZRPreviewBase::ReadMarkers() {
  QOR::ComPtr<IHostDataFile> calculations;
  QOR::ComPtr<IHostDataObjects> markers;
  if (!dataInterface || !settings) return;
  if (FAILED(dataInterface->QueryInterface(IID_IHostDataFile, calculations.OutVoid())) || !calculations) return;
  if (FAILED(calculations->QueryInterface(IID_IHostDataObjects, markers.OutVoid())) || !markers) return;
  sourceMarker = ScrivoDraw::ChannelPair{static_cast<int32_t>(settings->GetLongValue(kSourceMarkerSetting)), kMarkerKind};
  eventMarker = ScrivoDraw::ChannelPair{static_cast<int32_t>(settings->GetLongValue(kEventMarkerSetting)), kMarkerKind};
}

bool ZRPreviewBase::GetDefaultAxisRange(ExtLib::AxisRange* out, int32_t which, const ExtLib::AxisRange* given,
                                        Doc::SettingsStore*) {
  if (!out) return false;
  if (given) {
    *out = *given;
    return true;
  }
  // The ends reversed, as the preview has always drawn its first range.
  if (which == 0) {
    *out = ExtLib::AxisRange{1.0, -1.0};
    return true;
  }
  double first = 0.0;
  double second = 0.0;
  if (!Window() || FAILED(Window()->GetAxisRange(1, &first, &second))) return false;
  *out = ExtLib::AxisRange{first, second};
  return true;
}

void ZRPreviewBase::ResetScale(int32_t which, const ExtLib::AxisRange* given) {
  ExtLib::AxisRange range{0.0, 0.0};
  bool const known = GetDefaultAxisRange(&range, which, given, settings);
  PreviewPaneBase::ResetScale(which, known ? &range : nullptr);
}

}  // namespace ZR
