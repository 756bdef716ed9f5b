// AnalysisView: the window of the Analysis View: one detected peak at a time in its plot, the
// event scroll bar under it, and a strip with the calculation menu button and the status text.
#pragma once

#include "views/ZRViewBase.h"

#include <cstdint>

class AnalysisPlot;
class AnalysisScrollBar;
class PopupMenu;

namespace OWL {
class TGadgetWindow;
class TTextGadget;
}  // namespace OWL

// The scroll page of each event for a view width and an event count: the width, but no more
// than keeps pages × events within 32 bits, and at least 1; 0 for a view without width.
int32_t EventScrollPage(int32_t width, int32_t events) noexcept;

class AnalysisView final : public ZRViewBase {
 public:
  // The strip's height and its menu button's side on a 96-dpi screen (scaled with the screen's
  // resolution), and the calculation menu's first command id.
  static constexpr int kStripHeight = 20;
  static constexpr int kButtonSide = 20;
  static constexpr int kFirstCalculationId = 1001;

  AnalysisView(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
               OWL::TModule* module);
  ~AnalysisView() override;

  // The id the host opens this view by (the type id of its view class).
  static uint32_t ViewMessageId() noexcept;
  int DocumentSlot() const noexcept override { return 0; }

  const wchar_t* GetClassName() override { return L"QOR::Ondara View"; }
  void GetWindowClass(WNDCLASSEXW& windowClass) override;
  void SetupWindow() override;
  void CleanupWindow() override;
  bool PreProcessMsg(MSG& msg) override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;

  QOR::String GetCopyCommandName() override;
  QOR::String GetPrintCommandName() override;
  // The host document's title, ": " and the view's name.
  QOR::String GetCaption() override;
  void Refresh() override;
  void Render(OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect) override;

  // The scroll page of one event at the view's width (see EventScrollPage).
  int32_t ScrollPage() const;
  int32_t EventCount();
  void UpdateScrollRange();
  void UpdateStatusText();
  void RebuildCalculationMenu();
  int32_t CurrentCalculation() const noexcept { return mCurrentCalculation; }

  AnalysisPlot* Plot() const noexcept { return mPlot; }
  AnalysisScrollBar& ScrollBar() const noexcept { return *mScrollBar; }
  PopupMenu& CalculationButton() const noexcept { return *mCalculationButton; }
  OWL::TGadgetWindow& Strip() const noexcept { return *mStrip; }
  OWL::TTextGadget& StatusText() const noexcept { return *mStatusText; }
  int StripHeight() const noexcept { return mStripHeight; }

  LUMO_DECLARE_EVENT_TABLE();

 protected:
  void Paint(OWL::TDC&, bool, OWL::TRect&) override {}

 private:
  void EvSize(UINT sizeType, const OWL::TSize& size);
  bool EvEraseBkgnd(HDC) { return true; }
  void EvMouseWheel(UINT, int, const OWL::TPoint&) {}
  void OnColoursChanged();
  void Layout(int width, int height);
  int StripHeightForText(int dpi);

  // Child windows: deleted with this window.
  AnalysisScrollBar* mScrollBar = nullptr;
  PopupMenu* mCalculationButton = nullptr;
  OWL::TGadgetWindow* mStrip = nullptr;
  OWL::TTextGadget* mStatusText = nullptr;  // owned by the strip
  AnalysisPlot* mPlot = nullptr;
  int32_t mCurrentCalculation = 0;
  int mScrollBarHeight = 0;
  int mStripHeight = kStripHeight;

  DECLARE_RESPONSE_TABLE(AnalysisView);
};
