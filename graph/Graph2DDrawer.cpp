// The two-dimensional drawer's set-up, scales, display info, mapping records and drawable lists.
#include "graph/Graph2DDrawer.h"

#include "graph/GraphDrawer.h"
#include "graph/GraphGraticule.h"
#include "graph/GraphStringIds.h"
#include "graph/QueenController.h"
#include "graph/ScaleFactory.h"

#include "platform/owl/TBitmap.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TModule.h"
#include "platform/owl/TWindow.h"
#include "platform/uihelpers/ScreenDpi.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdlib>

namespace MGraph1 {

DragGuard& DragGuard::operator=(DragGuard&& other) noexcept {
  if (this != &other) {
    Release();
    mCounter = other.mCounter;
    other.mCounter = nullptr;
  }
  return *this;
}

void DragGuard::Release() noexcept {
  if (mCounter) --*mCounter;
  mCounter = nullptr;
}

Graph2DDrawer::Graph2DDrawer() { Init(-1, -1); }

Graph2DDrawer::Graph2DDrawer(WindowForm) { Init(0, 0); }

Graph2DDrawer::~Graph2DDrawer() {
  ClearOverlays();
  ClearPlots();
}

static void PassUnitConversion(IDragScale* scale, const MappingRecord& record) {
  DragScaleMapping const units = {record.scale, record.offset};
  if (scale) scale->SetUnitConversion(&units);
}

int32_t Graph2DDrawer::SenderId() const noexcept {
  OWL::TWindow* const owner = GetOwnerWindow();
  return owner ? owner->GetId() : 0;
}

void Graph2DDrawer::SetDefaults() {
  static const std::wstring defaultUnits = OWL::TModule::Default().LoadString(IDS_GRAPH_DEFAULT_UNITS);
  mDomain = {0.0, 1.0};
  mRange = {0.0, 1.0};
  mXHome = {0.0, 1.0};
  mYHome = {-1.0, 1.0};
  mXLimits = {-1.0, 1.0};
  mYLimits = {-1.0, 1.0};
  mXFixedSpanOn = mYFixedSpanOn = false;
  mXFixedSpan = mYFixedSpan = {1.0, 0.0};
  mXUnits = mYUnits = QOR::String(defaultUnits.c_str());
  mXTitle = mYTitle = QOR::String();
  mXMinSpan = mYMinSpan = 0.0;
  mXUnitFactor = mYUnitFactor = 1.0;
  mDisplayInfo = GraphDisplayInfo();
  mLayers = DrawnLayers();
}

void Graph2DDrawer::Init(int32_t xScaleArgument, int32_t yScaleArgument) {
  mXDragCount = mYDragCount = 0;
  mLeftMargin = mBottomMargin = QOR::ScaleForDpi(kStripAt96Dpi, QOR::ScreenDpi());
  mGraticule = std::make_unique<GraphGraticule>();
  mXMapping = std::make_unique<MappingRecord>();
  mYMapping = std::make_unique<MappingRecord>();
  mXUnitConversion = std::make_unique<MappingRecord>();
  mYUnitConversion = std::make_unique<MappingRecord>();
  SetDefaults();
  MakeQueenController();
  QOR::ComPtr<IDragScale> xScale;
  QOR::ComPtr<IDragScale> yScale;
  CreateScale(xScale.Out(), 0, xScaleArgument, kScaleCreateX);
  CreateScale(yScale.Out(), 0, yScaleArgument, kScaleCreateY);
  SetScales(xScale.Get(), yScale.Get(), false, false);
}

void Graph2DDrawer::MakeQueenController() {
  mQueens = std::make_unique<QueenController>();
  mQueens->SetHitTolerance(mQueenHitTolerance);
  mQueens->SetXBounds(mDomain.minimum, mDomain.maximum);
  mQueens->SetYBounds(mRange.minimum, mRange.maximum);
  mQueens->UseXMapping(mXMapping.get(), false);
  mQueens->UseYMapping(mYMapping.get(), false);
  mQueens->UseXUnits(mXUnitConversion.get(), false);
  mQueens->UseYUnits(mYUnitConversion.get(), false);
}

void Graph2DDrawer::SetScales(IDragScale* xScale, IDragScale* yScale, bool xDrives, bool yDrives) {
  mXDrives = xDrives;
  mYDrives = yDrives;
  mXScale = QOR::ComPtr<IDragScale>(xScale);
  mYScale = QOR::ComPtr<IDragScale>(yScale);
  *mXUnitConversion = {mXUnitFactor, 0.0};
  PassUnitConversion(mXScale.Get(), *mXUnitConversion);
  *mYUnitConversion = {mYUnitFactor, 0.0};
  PassUnitConversion(mYScale.Get(), *mYUnitConversion);
  ApplyScaleSettings();
}

void Graph2DDrawer::ReplaceGraticule(IDragScale* xScale, IDragScale* yScale) {
  mGraticule = std::make_unique<GraphGraticule>(mDisplayInfo, xScale, yScale);
}

void Graph2DDrawer::ApplyScaleSettings() {
  SetXUnits(mXUnits);
  SetYUnits(mYUnits);
  SetXTitle(mXTitle);
  SetYTitle(mYTitle);
  SetXLimits(mXLimits.minimum, mXLimits.maximum);
  SetYLimits(mYLimits.minimum, mYLimits.maximum);
  SetXRange(mXHome.minimum, mXHome.maximum);
  SetYRange(mYHome.minimum, mYHome.maximum);
  if (mXFixedSpanOn && mXScale) mXScale->SetFixedSpan(mXFixedSpan.minimum, mXFixedSpan.maximum);
  if (mYFixedSpanOn && mYScale) mYScale->SetFixedSpan(mYFixedSpan.minimum, mYFixedSpan.maximum);
}

bool Graph2DDrawer::AxesReady() const {
  uint32_t xStyle = 0;
  uint32_t yStyle = 0;
  if (!mXScale || !mYScale) return false;
  if (FAILED(mXScale->GetStyle(&xStyle)) || FAILED(mYScale->GetStyle(&yStyle))) return false;
  return (xStyle & kScaleStyleReady) && (yStyle & kScaleStyleReady);
}

void Graph2DDrawer::SetXRange(double minimum, double maximum) {
  mXHome = {minimum, maximum};
  if (mXScale) mXScale->SetVisibleRange(minimum, maximum);
}

void Graph2DDrawer::SetYRange(double minimum, double maximum) {
  mYHome = {minimum, maximum};
  if (mYScale) mYScale->SetVisibleRange(minimum, maximum);
}

void Graph2DDrawer::SetXLimits(double minimum, double maximum) {
  mXLimits = {minimum, maximum};
  if (mXScale) mXScale->SetLimits(minimum, maximum);
}

void Graph2DDrawer::SetYLimits(double minimum, double maximum) {
  mYLimits = {minimum, maximum};
  if (mYScale) mYScale->SetLimits(minimum, maximum);
}

void Graph2DDrawer::SetXUnits(const QOR::String& text) {
  mXUnits = text;
  if (mXScale) mXScale->SetUnits(0, mXUnits.GetText());
}

void Graph2DDrawer::SetYUnits(const QOR::String& text) {
  mYUnits = text;
  if (mYScale) mYScale->SetUnits(0, mYUnits.GetText());
}

void Graph2DDrawer::SetXTitle(const QOR::String& text) {
  mXTitle = text;
  if (mXScale) mXScale->SetTitle(mXTitle.GetText());
}

void Graph2DDrawer::SetYTitle(const QOR::String& text) {
  mYTitle = text;
  if (mYScale) mYScale->SetTitle(mYTitle.GetText());
}

void Graph2DDrawer::SetYReference(double factor) {
  mYUnitFactor = factor;
  *mYUnitConversion = {factor, 0.0};
  PassUnitConversion(mYScale.Get(), *mYUnitConversion);
}

static void AddStyle(IDragScale* scale, uint32_t flags) {
  uint32_t style = 0;
  if (!scale || FAILED(scale->GetStyle(&style))) return;
  scale->SetStyle(style | flags);
}

void Graph2DDrawer::SetXScaleStyle() { AddStyle(mXScale.Get(), kScaleStyleModule); }

void Graph2DDrawer::SetYScaleStyle() { AddStyle(mYScale.Get(), kScaleStyleModule); }

void Graph2DDrawer::ShowXScale(bool show) {
  if (!mXScale) return;
  mXScale->Show(show ? 0xFFFF : 0);
  mXScaleShown = show;
}

void Graph2DDrawer::ShowYScale(bool show) {
  if (!mYScale) return;
  mYScale->Show(show ? 0xFFFF : 0);
  mYScaleShown = show;
}

static QOR::String FormatThrough(IDragScale* scale, double value) {
  BSTR text = nullptr;
  if (!scale || FAILED(scale->FormatValue(value, &text))) return {};
  return QOR::String::AttachBSTR(text);
}

QOR::String Graph2DDrawer::FormatXValue(double value) const { return FormatThrough(mXScale.Get(), value); }

QOR::String Graph2DDrawer::FormatYValue(double value) const { return FormatThrough(mYScale.Get(), value); }

void Graph2DDrawer::SetDisplayInfo(const GraphDisplayInfo& info) {
  mDisplayInfo = info;
  mGraticule->SetDisplayInfo(info);
}

void Graph2DDrawer::SetYUnitConversion(const MappingRecord& record) {
  if (!mYUnitConversion) return;
  *mYUnitConversion = record;
  InvalidateWindow();
}

void Graph2DDrawer::SetXUnitConversion(const MappingRecord& record) {
  if (!mXUnitConversion) return;
  *mXUnitConversion = record;
  InvalidateWindow();
}

void Graph2DDrawer::SetXPixelMapping(const MappingRecord& record) {
  if (!mXMapping) return;
  *mXMapping = record;
  InvalidateWindow();
}

void Graph2DDrawer::SetYPixelMapping(const MappingRecord& record) {
  if (!mYMapping) return;
  *mYMapping = record;
  InvalidateWindow();
}

// The drawer's ranges as bounds, its four records (not owned) and the plot area's size.
void Graph2DDrawer::HandOver(GraphDrawer& drawable) {
  drawable.SetXBounds(mDomain.minimum, mDomain.maximum);
  drawable.SetYBounds(mRange.minimum, mRange.maximum);
  drawable.UseXMapping(mXMapping.get(), false);
  drawable.UseYMapping(mYMapping.get(), false);
  drawable.UseXUnits(mXUnitConversion.get(), false);
  drawable.UseYUnits(mYUnitConversion.get(), false);
  OWL::TRect plot;
  GetPlotRect(plot, GetDrawerRect());
  drawable.SetPixelSize(std::abs(plot.Width()), std::abs(plot.Height()));
}

void Graph2DDrawer::AddEntry(std::vector<Entry>& list, GraphDrawer* drawable, bool owned) {
  if (!drawable) return;
  HandOver(*drawable);
  list.push_back({drawable, owned});
  mDirty = true;
}

bool Graph2DDrawer::RemoveEntry(std::vector<Entry>& list, GraphDrawer* drawable) {
  auto const found = std::find_if(list.rbegin(), list.rend(),
                                  [drawable](const Entry& entry) { return entry.drawable == drawable; });
  if (found == list.rend()) return false;
  if (found->owned) delete found->drawable;
  list.erase(std::next(found).base());
  mDirty = true;
  return true;
}

bool Graph2DDrawer::ClearEntries(std::vector<Entry>& list) {
  if (list.empty()) return false;
  for (const Entry& entry : list)
    if (entry.owned) delete entry.drawable;
  list.clear();
  mDirty = true;
  return true;
}

void Graph2DDrawer::AddPlot(GraphDrawer* drawable, bool owned) { AddEntry(mPlots, drawable, owned); }

bool Graph2DDrawer::RemovePlot(GraphDrawer* drawable) { return RemoveEntry(mPlots, drawable); }

bool Graph2DDrawer::ClearPlots() { return ClearEntries(mPlots); }

GraphDrawer* Graph2DDrawer::GetPlot(int32_t index) const {
  if (index < 0 || index >= GetPlotCount()) return nullptr;
  return mPlots[static_cast<size_t>(index)].drawable;
}

void Graph2DDrawer::AddOverlay(GraphDrawer* drawable, bool owned) { AddEntry(mOverlays, drawable, owned); }

bool Graph2DDrawer::RemoveOverlay(GraphDrawer* drawable) { return RemoveEntry(mOverlays, drawable); }

bool Graph2DDrawer::ClearOverlays() { return ClearEntries(mOverlays); }

GraphDrawer* Graph2DDrawer::GetOverlay(int32_t index) const {
  if (index < 0 || index >= GetOverlayCount()) return nullptr;
  return mOverlays[static_cast<size_t>(index)].drawable;
}

bool Graph2DDrawer::AddQueen(Queen* queen, bool owned) { return queen && mQueens->AddQueen(queen, owned); }

bool Graph2DDrawer::RemoveQueen(Queen* queen) { return mQueens->RemoveQueen(queen); }

void Graph2DDrawer::ResetQueens() { MakeQueenController(); }


void Graph2DDrawer::AddQueenReceiver(MessSys::MessageReceiver* receiver) { mQueens->AddReceiver(receiver); }

void Graph2DDrawer::RemoveQueenReceiver(MessSys::MessageReceiver* receiver) {
  mQueens->RemoveReceiver(receiver);
}

}  // namespace MGraph1
