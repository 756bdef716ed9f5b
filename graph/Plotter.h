// MGraph1::Plotter: the base of the drawables that draw one series of a plot-data object.
#pragma once

#include "graph/GraphDrawer.h"

#include "base/String.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace MGraph1 {

class PlotData;

class Plotter : public GraphDrawer {
 public:
  Plotter() = default;
  ~Plotter() override;

  virtual void SetColour(COLORREF colour) noexcept { mColour = colour; }
  virtual void SetColour2(COLORREF colour) noexcept { mColour2 = colour; }
  virtual void SetLineWidth(float width) noexcept { mLineWidth = width; }
  // Answers the style it replaces.
  virtual int32_t SetPenStyle(int32_t style) noexcept;
  // Deletes the data held so far when it was owned and is not data; then OnDataSet.
  virtual void SetData(PlotData* data, int32_t series, bool owns);
  // A placeholder text for the point at position: "Dummy hint" when text is given.
  virtual bool GetHint(const POINT& position, QOR::String* text);
  virtual void OnDataSet() {}
  // True when the series must be fetched again; the base plotter always fetches.
  virtual bool DataChanged() { return true; }
  // True when the cached picture is out of date for this plotter.
  virtual bool NeedsRedraw() { return mDirty; }
  // The pixels of the line this plotter draws on plot as one polyline, for labels to keep off;
  // none from a plotter that draws no line through its data.
  virtual std::vector<POINT> LinePixels(const RECT&) { return {}; }
  // The drawer's pass over its plots ended: what was fetched for that pass is let go.
  virtual void PassEnded() {}

  void MarkDirty() noexcept { mDirty = true; }
  PlotData* GetData() const noexcept { return mData; }

 protected:
  int32_t mSeries = 0;
  COLORREF mColour = 255;
  COLORREF mColour2 = 65535;
  float mLineWidth = 1.0f;
  int32_t mPenStyle = PS_SOLID;
  bool mDirty = true;  // cleared at the end of every draw

 private:
  bool mOwnsData = false;
  PlotData* mData = nullptr;
};

}  // namespace MGraph1
