// MGraph1::GraphWindowBase: the window part of a graph: double-buffered painting, resizing, mouse leave and the graph menu.
#pragma once

#include "graph/GraphMenu.h"

#include "platform/owl/ResponseTable.h"
#include "platform/owl/TWindow.h"

#include <cstdint>
#include <memory>

namespace OWL {
class TBitmap;
class TDC;
class TModule;
}

namespace MGraph1 {

// Paints into a bitmap of the client size kept between paints (white first, then PaintGraph)
// and copies it at once; the background is never erased on its own.
class GraphWindowBase : public OWL::TWindow {
 public:
  GraphWindowBase(OWL::TWindow* parent, OWL::TModule* module);
  ~GraphWindowBase() override;

  // With erase and a window: the whole client area is invalidated with erasing.
  virtual void InvalidateGraph(const OWL::TRect& rectangle, bool erase);
  virtual void PaintGraph(OWL::TDC& dc, bool erase, const OWL::TRect& rectangle);
  virtual void OnGraphMouseLeave() {}

  GraphMenu& GetGraphMenu() noexcept { return mMenu; }
  // Set by the owner once the menu is filled; the right button does nothing before.
  void EnableGraphMenu(bool enabled) noexcept { mMenuEnabled = enabled; }
  const OWL::TRect& GetMargins() const noexcept { return mMargins; }
  // The paint path: white, then PaintGraph, into the paint bitmap (kept while the client size
  // stays), copied into dc at the origin.
  void PaintBuffered(OWL::TDC& dc, const OWL::TRect& client);

 protected:
  OWL::TRect Inset(const OWL::TRect& rectangle) const noexcept;
  void EvRButtonUp(UINT modKeys, const OWL::TPoint& point);
  void EvPaint();
  void EvMouseMove(UINT modKeys, const OWL::TPoint& point);
  void EvSize(UINT sizeType, const OWL::TSize& size);
  bool EvEraseBkgnd(HDC) { return true; }
  void EvMouseLeave();

 private:
  bool mMouseTracked = false;
  OWL::TRect mMargins{5, 5, 5, 5};  // left, top, right, bottom
  std::unique_ptr<OWL::TBitmap> mPaintBitmap;
  int32_t mPaintWidth = -1;
  int32_t mPaintHeight = -1;
  GraphMenu mMenu;
  bool mMenuEnabled = false;

  DECLARE_RESPONSE_TABLE(GraphWindowBase);
};

}  // namespace MGraph1
