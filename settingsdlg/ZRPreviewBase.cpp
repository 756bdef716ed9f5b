// The detector preview's axis defaults.
#include "settingsdlg/ZRPreviewBase.h"

#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "drawing/PreviewDataWin.h"
#include "hostapi/DataFile.h"
#include "hostapi/DataDocument.h"
#include "hostapi/DocumentDisplay.h"
#include "hostapi/HostDocument.h"
#include "hostapi/DataObjects.h"
#include "enumerators/framework/HostHelpers.h"
#include "hostclient/HostUnits.h"
#include "drawing/GraticuleDrawer.h"
#include "drawing/PreviewDataPane.h"

#include <memory>
#include <utility>

namespace ZR {

namespace {
// The document's marker objects are module data objects.
constexpr uint32_t kMarkerKind = 4;
constexpr uint32_t kRecordedChannel = 0x40000000u;
constexpr uint32_t kGridOff = 0xC0000000u;
constexpr int32_t kSourceAxis = 1;
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
  sourceMarker = ScrivoDraw::ChannelPair{
      static_cast<int32_t>(settings->GetLongValue(Doc::kSettingSourceObject)), kMarkerKind};
  eventMarker = ScrivoDraw::ChannelPair{
      static_cast<int32_t>(settings->GetLongValue(Doc::kSettingDetectorObject)), kMarkerKind};
}

QOR::UnitWithPrefix ZRPreviewBase::ReadChannelUnits(int32_t channel) {
  QOR::UnitWithPrefix unit;
  unitsKnown = false;
  QOR::ComPtr<IHostDataDocument> document;
  if (!dataFile || FAILED(dataFile->QueryInterface(IID_IHostDataDocument, document.OutVoid())) || !document)
    return unit;
  std::wstring const text = ExtLib::GetChannelUnits(document.Get(), channel, record);
  if (text.empty()) return unit;
  // The host alone knows where a prefix ends; without its answer the text is the base unit.
  if (FAILED(QOR::ReadHostUnitText(text.c_str(), unit))) unit = QOR::UnitWithPrefix{text, 0};
  unitsKnown = true;
  return unit;
}

PreviewKey ZRPreviewBase::StartKey(const Doc::SettingsStore& store) {
  PreviewKey next;
  next.channel = static_cast<int32_t>(store.GetLongValue(Doc::kSettingAnalysisChannel));
  next.units = ReadChannelUnits(next.channel);
  return next;
}

bool ZRPreviewBase::TakeKey(PreviewKey next, Doc::SettingsStore* store) {
  next.valid = true;
  if (next == key) return false;
  key = std::move(next);
  settings = store;
  return true;
}

COLORREF ZRPreviewBase::TraceColour() const {
  COLORREF colour = kNoDocumentTraceColour;
  if (!hostDocument) return colour;
  QOR::ComPtr<IHostDocumentDisplay> display;
  if (SUCCEEDED(hostDocument->QueryInterface(IID_IHostDocumentDisplay, display.OutVoid())) && display &&
      SUCCEEDED(display->GetChannelColour(key.channel, &colour)))
    return colour;
  colour = kNoDocumentTraceColour;
  if (!dataInterface) return colour;
  QOR::ComPtr<IHostColour> colours;
  if (FAILED(dataInterface->QueryInterface(IID_IHostColour, colours.OutVoid())) || !colours) return colour;
  COLORREF given = CLR_INVALID;
  if (colours->GetTraceColour(0, key.channel, kRecordedChannel, &given) == S_OK && given != CLR_INVALID)
    colour = given;
  return colour;
}

void ZRPreviewBase::SetUpSourceTrace() {
  if (!window) return;
  window->ClearTraceDrawers();
  QOR::ComPtr<IScrivoRecordDrawer> grid(new ScrivoDraw::GraticuleDrawer(
      gridOptionOn ? 0u : kGridOff, graticuleColour, ScrivoDraw::ChannelPair{key.channel, kRecordedChannel}));
  window->AddTraceDrawer(grid.Get());
  if (!unitsKnown) return;

  ScrivoDraw::PreviewDataPane* const pane = window.get();
  bool const wasSampling = pane->HasSamplingSource() && pane->IsSampling();
  if (wasSampling) pane->StopSampling();
  QOR::ComPtr<IUnknown> calculations;
  if (dataInterface && SUCCEEDED(dataInterface->QueryInterface(IID_IHostDataFile, calculations.OutVoid())) &&
      calculations)
    SetUpHostCalculations(calculations.Get(), settings);
  QOR::ComPtr<IUnknown> sampled;
  if (samplingSource && SUCCEEDED(samplingSource->QueryInterface(IID_IHostDataFile, sampled.OutVoid())) && sampled)
    SetUpHostCalculations(sampled.Get(), settings);
  if (wasSampling) pane->StartSampling();

  COLORREF const colour = TraceColour();
  QOR::ComPtr<IScrivoRecordDrawer> trace(new ScrivoDraw::CustomUnitsPolyLineTraceDrawer(
      std::make_unique<SourceMapper>(key.channel), &colour, kSourceAxis, 0, ScrivoDraw::kTraceKind,
      ScrivoDraw::ChannelPair{key.channel, kRecordedChannel}, kPreviewLayer));
  window->GetFirstLaneAxis(kSourceAxis, VARIANT_TRUE, colour);
  window->AddTraceDrawer(trace.Get());
}

void ZRPreviewBase::AddEventDrawers() {
  if (!window) return;
  QOR::ComPtr<IScrivoRecordDrawer> events(new EventDrawer(eventMarker, kPreviewLayer));
  window->AddTraceDrawer(events.Get());
  QOR::ComPtr<IScrivoRecordDrawer> follower(new ScrivoDraw::NullTraceDrawer(eventMarker));
  window->AddTraceDrawer(follower.Get());
}

void ZRPreviewBase::SetAxisPrefix(int32_t axis, int32_t prefixIndex) {
  if (!window || window->GetLaneCount() == 0) return;
  if (!window->Lane(0)->AxisObject(axis)) return;
  window->UpdateFirstLaneAxis(axis, prefixIndex);
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
