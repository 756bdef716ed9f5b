// MGraph1::GraphDrawer: the base of everything a two-dimensional drawer paints in its plot area.
#pragma once

#include "graph/MappingRecord.h"

#include "platform/owl/TRect.h"

#include <cstdint>

namespace OWL {
class TDC;
}

namespace MGraph1 {

// A drawable carries the axis bounds and the shared mapping records of its drawer, and may head
// a chain of drawables painted with it (DrawChain). Mapping records are not owned unless handed
// over as owned; an owned record is deleted when replaced and when the drawable dies.
class GraphDrawer {
 public:
  GraphDrawer() = default;
  GraphDrawer(const GraphDrawer&) = delete;
  GraphDrawer& operator=(const GraphDrawer&) = delete;
  virtual ~GraphDrawer();

  virtual void SetXBounds(double minimum, double maximum);
  virtual void SetMiddleBounds(double minimum, double maximum);
  virtual void SetYBounds(double minimum, double maximum);

  // Pixel mappings and unit conversions; each calls its hook after the pointer changed.
  void UseXMapping(MappingRecord* record, bool owned) noexcept;
  void UseYMapping(MappingRecord* record, bool owned) noexcept;
  void UseXUnits(MappingRecord* record, bool owned) noexcept;
  void UseYUnits(MappingRecord* record, bool owned) noexcept;

  // Stores the plot area's size in pixels, then calls OnSizeChanged.
  void SetPixelSize(int32_t width, int32_t height);
  // Bounds, mapping pointers, pixel size and visibility of other; the records stay owned by other.
  void CopyDrawerSettings(const GraphDrawer& other) noexcept;

  const MappingRecord* GetXMapping() const noexcept { return mXMapping.record; }
  const MappingRecord* GetYMapping() const noexcept { return mYMapping.record; }
  const MappingRecord* GetXUnits() const noexcept { return mXUnits.record; }
  const MappingRecord* GetYUnits() const noexcept { return mYUnits.record; }
  void GetXBounds(double& minimum, double& maximum) const noexcept;
  void GetYBounds(double& minimum, double& maximum) const noexcept;
  int32_t GetPixelWidth() const noexcept { return mPixelWidth; }
  int32_t GetPixelHeight() const noexcept { return mPixelHeight; }
  bool IsVisible() const noexcept { return mVisible; }
  void SetVisible(bool visible) noexcept { mVisible = visible; }
  GraphDrawer* GetNext() const noexcept { return mNext; }
  // The next drawable of the chain (not owned).
  void SetNext(GraphDrawer* next) noexcept { mNext = next; }

  // Both rectangles start as the plot rectangle and may be changed by the drawable.
  virtual void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect);
  virtual void OnDrawEnd(OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
                         const OWL::TRect& clipRect);

 protected:
  virtual void OnXMappingSet() {}
  virtual void OnMiddleMappingSet() {}
  virtual void OnYMappingSet() {}
  virtual void OnXUnitsSet() {}
  virtual void OnMiddleUnitsSet() {}
  virtual void OnYUnitsSet() {}
  virtual void OnXBoundsChanged() {}
  virtual void OnMiddleBoundsChanged() {}
  virtual void OnYBoundsChanged() {}
  virtual void OnSizeChanged() {}

 private:
  struct Slot {
    MappingRecord* record = nullptr;
    bool owned = false;
    void Replace(MappingRecord* newRecord, bool newOwned) noexcept;
    ~Slot();
  };

  GraphDrawer* mNext = nullptr;
  double mXMin = kNoBound[0], mXMax = kNoBound[1];
  double mMiddleMin = kNoBound[0], mMiddleMax = kNoBound[1];
  double mYMin = kNoBound[0], mYMax = kNoBound[1];
  Slot mXMapping, mMiddleMapping, mYMapping;
  Slot mXUnits, mMiddleUnits, mYUnits;
  int32_t mPixelWidth = 0;
  int32_t mPixelHeight = 0;
  bool mVisible = true;

  static constexpr double kNoBound[2] = {-1.7976931348623157e308, 1.7976931348623157e308};
};

// Paints drawable and the chain behind it: its OnDraw, the rest of the chain, then its OnDrawEnd;
// so a chain A to B draws A's body, B's body, B's end, A's end. wholeRect only travels along.
void DrawChain(GraphDrawer& drawable, OWL::TDC& dc, OWL::TDC& referenceDc, const OWL::TRect& plotRect,
               const OWL::TRect& wholeRect);

}  // namespace MGraph1
