// AnalysisPlot: its graph window and plotters, the plot-data answers, the graph's messages,
// the axis ranges in the settings and the standalone rendering.
#include "views/AnalysisPlot.h"

#include "base/OFormatStream.h"
#include "base/UnitPrefix.h"
#include "document/AnalysisViewData.h"
#include "document/CycleDetector.h"
#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/ZRDoc.h"
#include "document/ZRSettingIO.h"
#include "document/ZRSetting_Bool.h"
#include "graph/AreaGlyphPlotter.h"
#include "graph/BasicAnnotation.h"
#include "graph/GlyphPlotter.h"
#include "graph/Graph2DWindow.h"
#include "graph/GraphColourSet.h"
#include "graph/GraphMessages.h"
#include "graph/MappingRecord.h"
#include "graph/XYCPlotter.h"
#include "graph/YCPlotter.h"
#include "hostapi/ColourScheme.h"
#include "hostapi/DataDocument.h"
#include "hostclient/FrameworkAccess.h"
#include "platform/owl/TBitmap.h"
#include "platform/owl/TBrush.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TMemoryDC.h"
#include "platform/owl/TModule.h"
#include "views/ViewStringIds.h"

#include <oleauto.h>

#include <cfloat>
#include <cmath>
#include <cwchar>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kFirstMenuCommand = 100;
constexpr int32_t kCurveSeries = 2;
constexpr COLORREF kTraceColour = 255;  // red
constexpr float kLineWidth = 2.0f;
using ZR::Doc::kSettingAxisXHigh;
using ZR::Doc::kSettingAxisXLow;
using ZR::Doc::kSettingAxisYHigh;
using ZR::Doc::kSettingAxisYLow;

QOR::String LoadedText(UINT id) { return QOR::String(OWL::TModule::Default().LoadString(id).c_str()); }

}  // namespace

bool ApproxEqual(double a, double b) noexcept {
  const double larger = std::fmax(std::fabs(a), std::fabs(b));
  return std::fabs(a - b) <= 1e-8 * larger || (std::fabs(a) < 1e-30 && std::fabs(b) < 1e-30);
}

QOR::String PointLabel(int32_t channel, double seconds, double value, const QOR::String& units) {
  // Four significant digits with the point always shown.
  const auto number = [](double x) {
    wchar_t text[40];
    std::swprintf(text, 40, L"%#.4g", x);
    return std::wstring(text);
  };
  QOR::OFormatStringStream text(LoadedText(IDS_AV_POINT_LABEL));
  text << channel << number(seconds) << number(value) << units.GetText();
  return text.str();
}

DEFINE_RESPONSE_TABLE1(AnalysisPlot, OWL::TWindow)
  EV_WM_SIZE,
  EV_WM_ERASEBKGND,
END_RESPONSE_TABLE;

AnalysisPlot::AnalysisPlot(OWL::TWindow* parent, OWL::TModule* module, ZR::Doc::ZRDoc* document)
    : OWL::TWindow(parent, L"Analysis Plot", module), mDocument(document) {
  CreateGraph();
}

AnalysisPlot::~AnalysisPlot() {
  if (mGraph) {
    mGraph->ClearPlots();
    mGraph->ClearOverlays();
  }
}

void AnalysisPlot::CreateGraph() {
  Attr.Style |= WS_VISIBLE | WS_CLIPCHILDREN;
  Attr.ExStyle |= WS_EX_CLIENTEDGE;
  mYScale = 1.0;
  mGraph = new MGraph1::Graph2DWindow(this, GetModule());
  mGraph->Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  mGraph->EnableAutoCreate();
  if (mDocument)
    for (const int32_t option : mDocument->GetAnalysisViewData().Options())
      mGraph->GetGraphMenu().AddItem(option + kFirstMenuCommand, QOR::String(), this);
  mGraph->EnableGraphMenu(true);
  mYUnits = QOR::String(L"???");
  mGraph->SetYUnits(mYUnits);
  mGraph->SetYTitle(mYUnits);
  mFirstRange = true;
}

double AnalysisPlot::Setting(ZR::Doc::SettingId id) const {
  const auto* const setting = mDocument ? mDocument->GetSettings().GetDoubleSetting(id) : nullptr;
  return setting ? setting->Get() : 0.0;
}

void AnalysisPlot::SetSetting(ZR::Doc::SettingId id, double value) {
  if (auto* const setting = mDocument ? mDocument->GetSettings().GetDoubleSetting(id) : nullptr) setting->Set(value);
}

void AnalysisPlot::BuildPlotters(MGraph1::Graph2DDrawer& drawer) {
  drawer.ClearPlots();
  drawer.ClearOverlays();
  MGraph1::YCPlotDataEx* const samples = this;
  auto* const annotation = new MGraph1::BasicAnnotation;
  // The read-out inverts what lies under it (R2_NOT), so it moves over the cached plot by
  // itself, with a 5-pixel marker.
  annotation->rop2 = R2_NOT;
  annotation->markerSize = 5;
  annotation->SetSource(samples, 0, false);
  drawer.AddOverlay(annotation, true);
  auto* const areas = new MGraph1::AreaGlyphPlotter;
  areas->SetData(samples, 0, false);
  areas->SetAreas(this, ZR::Doc::kAreaMarkers, false);
  drawer.AddPlot(areas, true);
  auto* const lines = new MGraph1::GlyphPlotter;
  lines->SetData(static_cast<MGraph1::GlyphPlotData*>(this), ZR::Doc::kLineMarkers, false);
  drawer.AddPlot(lines, true);
  std::vector<MGraph1::Plotter*> traced;
  for (int32_t series = 0; series < 2; ++series) {
    auto* const trace = new MGraph1::YCPlotterEx;
    trace->SetData(samples, series, false);
    trace->SetColour(kTraceColour);
    trace->SetLineWidth(kLineWidth);
    drawer.AddPlot(trace, true);
    traced.push_back(trace);
  }
  auto* const slope = new MGraph1::GlyphPlotter;
  slope->SetData(static_cast<MGraph1::GlyphPlotData*>(this), ZR::Doc::kSlopeMarkers, false);
  slope->SetLineWidth(kLineWidth);
  slope->ShareLabelsWith(*lines);
  drawer.AddPlot(slope, true);
  auto* const curve = new MGraph1::XYCPlotter;
  curve->SetData(static_cast<MGraph1::XYCPlotData*>(this), kCurveSeries, false);
  curve->SetLineWidth(kLineWidth);
  drawer.AddPlot(curve, true);
  traced.push_back(curve);
  // The width's and the slope's labels keep off the trace and the fitted curve where they can;
  // the drawer deletes all these plotters together.
  lines->KeepLabelsOff(std::move(traced));
}

void AnalysisPlot::SetupWindow() {
  OWL::TWindow::SetupWindow();
  if (!mGraph) return;
  BuildPlotters(*mGraph);
  mGraph->SetXUnits(LoadedText(IDS_AV_TIME_UNITS));
  mGraph->SetXTitle(LoadedText(IDS_AV_TIME_TITLE));
  mGraph->ShowXScale(true);
  mGraph->ShowYScale(true);
  ApplyStoredRanges(*mGraph);
  mGraph->AddChangeReceiver(this);
  mGraph->SetXScaleStyle();
  mGraph->SetYScaleStyle();
  ApplyColours();
}

// The ranges are kept as the drawer shows them, in the channel's base unit (the Y reference
// only turns the labels into the prefixed unit), and are given back to it unchanged.
void AnalysisPlot::ApplyStoredRanges(MGraph1::Graph2DDrawer& drawer) {
  mFirstRange = false;
  if (Setting(kSettingAxisXLow) == 0.0 && Setting(kSettingAxisXHigh) == 0.0 && Setting(kSettingAxisYLow) == 0.0 &&
      Setting(kSettingAxisYHigh) == 0.0) {
    SetSetting(kSettingAxisXLow, -1.0);
    SetSetting(kSettingAxisXHigh, 1.0);
    SetSetting(kSettingAxisYLow, -1.0);
    SetSetting(kSettingAxisYHigh, 1.0);
    mFirstRange = true;
  }
  drawer.SetXLimits(-DBL_MAX, DBL_MAX);
  drawer.SetXRange(-1.0, 1.0);
  drawer.SetDomain(Setting(kSettingAxisXLow), Setting(kSettingAxisXHigh));
  drawer.SetYLimits(-DBL_MAX, DBL_MAX);
  drawer.SetYRange(-1.0, 1.0);
  drawer.SetRange(Setting(kSettingAxisYLow), Setting(kSettingAxisYHigh));
}

void AnalysisPlot::ApplyColours() {
  if (mGraph) {
    IHostApplication* const application = GetHostApplication();
    QOR::ComPtr<IHostColourScheme> scheme;
    QOR::ComPtr<IHostColourSource> colours;
    if (application) {
      application->QueryInterface(IID_IHostColourScheme, scheme.OutVoid());
      application->QueryInterface(IID_IHostColourSource, colours.OutVoid());
    }
    // A host without a colour scheme leaves the graph's own colours.
    if (scheme) {
      GraphColourSet set(scheme.Get(), colours.Get());
      set.Load();
      MGraph1::GraphDisplayInfo info = mGraph->GetDisplayInfo();
      info.graticuleColour = set.graticuleColour;
      info.graticuleStyle = set.graticuleStyle;
      mGraph->SetDisplayInfo(info);
    }
  }
  InvalidatePlot();
}

void AnalysisPlot::InvalidatePlot() {
  RefreshData();
  YCPlotDataEx::SetChanged(true);
  XYCPlotData::SetChanged(true);
  GlyphPlotData::SetChanged(true);
  if (mGraph && mGraph->GetHandle()) mGraph->InvalidateGraph(mGraph->GetClientRect(), false);
  if (GetHandle()) Invalidate(true);
}

void AnalysisPlot::RefreshData() {
  if (!mDocument || !mGraph) return;
  const int32_t channel = mDocument->GetSettings().GetCurrentChannel();
  BSTR title = nullptr;
  if (mDocument->DataDocument() &&
      SUCCEEDED(mDocument->DataDocument()->GetChannelTitle(channel, 0x7FFFFFFE, 0, &title)) && title)
    mGraph->SetYTitle(QOR::String(title));
  SysFreeString(title);
  const QOR::UnitWithPrefix unit = mDocument->GetSourceChannelUnits();
  mYUnits = QOR::String(QOR::FormatUnitPrefix(unit).c_str());
  mGraph->SetYUnits(mYUnits);
  mYScale = 1.0 / std::pow(10.0, QOR::PrefixExponent(unit.prefix));
  mGraph->SetYReference(mYScale);
  ZR::Doc::PlotRange range;
  const ZR::Doc::CycleDetector* const detector = mDocument->GetCycleDetector();
  if (!detector || !detector->GetPlotRange(range)) return;
  double low = 0.0, high = 0.0, shownLow = 0.0, shownHigh = 0.0;
  mGraph->GetXHomeRange(low, high);
  mGraph->GetDomain(shownLow, shownHigh);
  const bool xZoomed = !(ApproxEqual(low, shownLow) && ApproxEqual(high, shownHigh));
  // Exact: a NaN counts as a change.
  // Setting the graph's full range also shows it: a zoomed axis is shown as it was again.
  if (!(range.xMin == low && range.xMax == high)) {
    mGraph->SetXRange(range.xMin, range.xMax);
    if (xZoomed)
      mGraph->SetDomain(shownLow, shownHigh);
    else
      mGraph->SetDomain(range.xMin, range.xMax);
  }
  const double margin = (range.yMax - range.yMin) * 0.1;
  const double yLow = range.yMin - margin;
  const double yHigh = range.yMax + margin;
  mGraph->GetYHomeRange(low, high);
  mGraph->GetRange(shownLow, shownHigh);
  const bool yZoomed = !(ApproxEqual(low, shownLow) && ApproxEqual(high, shownHigh));
  if (!(yLow == low && yHigh == high) || mFirstRange) {
    mGraph->SetYRange(yLow, yHigh);
    if (!yZoomed || mFirstRange)
      mGraph->SetRange(yLow, yHigh);
    else
      mGraph->SetRange(shownLow, shownHigh);
  }
  mFirstRange = false;
}

int32_t AnalysisPlot::OptionOfCommand(int32_t command) const {
  const int32_t option = command - kFirstMenuCommand;
  return ZR::Doc::AnalysisViewData::OptionSetting(option) != ZR::Doc::kNoSetting ? option : -1;
}

bool AnalysisPlot::OnMessage(MessSys::Message* message) {
  if (!mDocument || !mGraph) return false;
  if (dynamic_cast<MGraph1::MsgGraph2DDrawerOnDomainChanged*>(message)) {
    double low = 0.0, high = 0.0;
    mGraph->GetDomain(low, high);
    SetSetting(kSettingAxisXLow, low);
    SetSetting(kSettingAxisXHigh, high);
    return true;
  }
  if (dynamic_cast<MGraph1::MsgGraph2DDrawerOnRangeChanged*>(message)) {
    double low = 0.0, high = 0.0;
    mGraph->GetRange(low, high);
    SetSetting(kSettingAxisYLow, low);
    SetSetting(kSettingAxisYHigh, high);
    return true;
  }
  ZR::Doc::AnalysisViewData& data = mDocument->GetAnalysisViewData();
  if (auto* const ask = dynamic_cast<MGraph1::PreDisplayMenuMessage*>(message)) {
    const int32_t option = OptionOfCommand(ask->id);
    if (option < 0) return false;
    const ZR::Doc::ZRSetting_Bool* const on =
        mDocument->GetSettings().GetBoolSetting(ZR::Doc::AnalysisViewData::OptionSetting(option));
    ask->state->shown = true;
    ask->state->enabled = data.OptionOffered(option);
    ask->state->checked = on && on->Get();
    if (ask->text) *ask->text = data.OptionName(option);
    return true;
  }
  if (auto* const chosen = dynamic_cast<MGraph1::OnMenuItemMessage*>(message)) {
    const int32_t option = OptionOfCommand(chosen->id);
    if (option < 0) return false;
    if (ZR::Doc::ZRSetting_Bool* const on =
            mDocument->GetSettings().GetBoolSetting(ZR::Doc::AnalysisViewData::OptionSetting(option)))
      on->Set(!on->Get());
    InvalidatePlot();
    return true;
  }
  return false;
}

bool AnalysisPlot::GetSamples(int32_t series, int32_t& count, double& firstX, double& step, const float*& samples,
                              const COLORREF*& colours, COLORREF& colour) {
  uint32_t flags = 0;
  return GetSampleBlock(series, count, firstX, step, samples, colours, colour, flags);
}

bool AnalysisPlot::GetSampleBlock(int32_t series, int32_t& count, double& firstX, double& step,
                                  const float*& samples, const COLORREF*& colours, COLORREF& colour,
                                  uint32_t& flags) {
  count = 0;
  samples = nullptr;
  colours = nullptr;
  flags = 0;
  if (!mDocument || series < 0 || series > 1) return false;
  const ZR::Doc::SampledSeries answer = mDocument->GetAnalysisViewData().GetSampledSeries(series);
  // Kept here: the data object's vector serves the next request.
  mSeries[series].assign(answer.samples, answer.samples + answer.count);
  count = answer.count;
  firstX = answer.firstX;
  step = answer.step;
  samples = mSeries[series].data();
  // Both traces are drawn in the plotters' red; the series' own colour values are not shown.
  colour = kTraceColour;
  return count > 0;
}

bool AnalysisPlot::GetSeriesData(int32_t series, int32_t& count, int32_t& firstIndex, const float*& xValues,
                                 const float*& yValues, const COLORREF*& colours, COLORREF& colour,
                                 uint32_t& flags) {
  count = firstIndex = 0;
  xValues = yValues = nullptr;
  colours = nullptr;
  flags = MGraph1::kSeriesConnect;
  if (!mDocument || series != kCurveSeries) return false;
  const ZR::Doc::PointSeries curve = mDocument->GetAnalysisViewData().GetFittedCurve();
  count = curve.count;
  xValues = curve.x;
  yValues = curve.y;
  colour = curve.colour;
  return count > 0;
}

bool AnalysisPlot::GetGlyphs(double, double, int32_t series, int32_t& count, const MGraph1::GlyphRecord*& glyphs) {
  mGlyphs.clear();
  count = 0;
  glyphs = nullptr;
  if (!mDocument) return false;
  for (const ZR::Doc::Marker& marker : mDocument->GetAnalysisViewData().GetMarkers(series)) {
    MGraph1::GlyphRecord glyph;
    glyph.x = marker.x1;
    glyph.y = marker.y1;
    glyph.x2 = marker.x2;
    glyph.y2 = marker.y2;
    glyph.kind = static_cast<int32_t>(marker.kind) + 1;
    glyph.colour = marker.colour;
    glyph.label = marker.name;
    mGlyphs.push_back(glyph);
  }
  count = static_cast<int32_t>(mGlyphs.size());
  glyphs = mGlyphs.data();
  return count > 0;
}

bool AnalysisPlot::GetPointInfo(int32_t series, MGraph1::PointInfo* info) {
  if (!info || !mDocument || !YCPlotDataEx::GetPointInfo(series, info)) return false;
  const int32_t channel = mDocument->GetSettings().GetCurrentChannel() + 1;
  info->text = PointLabel(channel, info->x, info->y * mYScale, mYUnits);
  return true;
}

void AnalysisPlot::Paint(OWL::TDC& dc, bool, OWL::TRect&) {
  const OWL::TRect client = GetClientRect();
  const int width = client.Width();
  if (width <= 0) return;
  // The strip is drawn off screen and copied in one go.
  OWL::TBitmap strip(dc, width, kCaptionHeight);
  OWL::TMemoryDC memory(dc);
  memory.SelectObject(strip);
  const RECT area{0, 0, width, kCaptionHeight};
  FillRect(memory.GetHDC(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  BitBlt(dc.GetHDC(), 0, 0, width, kCaptionHeight, memory.GetHDC(), 0, 0, SRCCOPY);
  memory.RestoreObjects();
}

void AnalysisPlot::EvSize(UINT sizeType, const OWL::TSize& size) {
  OWL::TWindow::EvSize(sizeType, size);
  if (!mGraph || !mGraph->GetHandle()) return;
  const int height = size.cy - kCaptionHeight > 0 ? size.cy - kCaptionHeight : 0;
  mGraph->SetWindowPos(nullptr, OWL::TRect(0, kCaptionHeight, size.cx, kCaptionHeight + height),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void AnalysisPlot::RenderTo(OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect) {
  if (!mGraph) return;
  MGraph1::Graph2DDrawer drawer;
  drawer.SetDisplayInfo(mGraph->GetDisplayInfo());
  double low = 0.0, high = 0.0;
  mGraph->GetDomain(low, high);
  drawer.SetXLimits(-DBL_MAX, DBL_MAX);
  drawer.SetYLimits(-DBL_MAX, DBL_MAX);
  drawer.SetDomain(low, high);
  mGraph->GetRange(low, high);
  drawer.SetRange(low, high);
  drawer.SetXTitle(mGraph->GetXTitle());
  drawer.SetYTitle(mGraph->GetYTitle());
  drawer.SetXUnits(mGraph->GetXUnits());
  drawer.SetYUnits(mGraph->GetYUnits());
  // Its labels count in the units named, as the window's do.
  drawer.SetYReference(mYScale);
  BuildPlotters(drawer);
  YCPlotDataEx::SetChanged(true);
  XYCPlotData::SetChanged(true);
  drawer.SetDrawerRect(rect);
  drawer.RenderTo(dc);
  // Without scales of its own the drawer maps the shown ranges onto its plot rectangle here.
  OWL::TRect plot;
  drawer.GetPlotRect(plot, rect);
  double xLow = 0.0, xHigh = 0.0, yLow = 0.0, yHigh = 0.0;
  drawer.GetDomain(xLow, xHigh);
  drawer.GetRange(yLow, yHigh);
  if (xHigh > xLow && yHigh > yLow) {
    drawer.SetXPixelMapping(MGraph1::MappingRecord{plot.Width() / (xHigh - xLow), -xLow});
    drawer.SetYPixelMapping(MGraph1::MappingRecord{-plot.Height() / (yHigh - yLow), -yHigh});
  }
  drawer.Print(dc, printer ? *printer : dc, rect);
}
