// MGraph1::BasicAnnotation: the cursor read-out marker that follows a series at a chosen x.
#pragma once

#include "graph/Annotation.h"
#include "graph/GraphDrawer.h"

#include "base/String.h"

#include <windows.h>

#include <cstdint>

namespace MGraph1 {

class PlotDataBase;

// The point is looked up in the source's point information; the marker is a cross at the point,
// or a chevron on the top or bottom edge when the point lies above or below the plot. In R2_NOT
// mode it erases its previous marker itself, until ForgetDrawn says the picture was redrawn.
class BasicAnnotation : public Annotation, public GraphDrawer {
 public:
  ~BasicAnnotation() override;

  void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) override;
  // Hands the click to Probe.
  bool HandleClick(const OWL::TRect& plotRect, uint32_t keyFlags, const POINT& press,
                   const POINT& release) override;
  // The point under pixel (px, py), through the drawer's transforms; false without them.
  bool SetFromPixel(int32_t px, int32_t py, const OWL::TRect& plotRect) override;
  virtual bool SetPosition(double x, double y);
  bool GetText(QOR::String& text) const override;
  void ForgetDrawn() override { mDrawn = false; }
  bool IsInverting() const override { return rop2 == R2_NOT; }
  // For derived annotations; the basic one takes no clicks.
  virtual bool Probe(int32_t series, const OWL::TRect& plotRect, uint32_t keyFlags, const POINT& press,
                     const POINT& release);
  // The series the annotation follows; owns: deleted with the annotation or when replaced.
  virtual void SetSource(PlotDataBase* source, int32_t series, bool owns);

  bool IsValid() const noexcept { return mValid; }
  double GetX() const noexcept { return mX; }
  double GetY() const noexcept { return mY; }

  int32_t rop2 = R2_COPYPEN;
  int32_t markerSize = 3;
  int32_t style = 1;  // the marker is drawn only in style 1

 private:
  void Lookup();
  void DrawMarker(OWL::TDC& dc, int32_t px, int32_t py, const RECT& plot) const;

  bool mValid = false;
  double mX = -1.7976931348623157e308;
  double mY = -1.7976931348623157e308;
  QOR::String mText;
  PlotDataBase* mSource = nullptr;
  int32_t mSourceSeries = -1;
  bool mOwnsSource = false;
  bool mShow = false;
  int32_t mDrawnX = 0;
  int32_t mDrawnY = 0;
  bool mDrawn = false;
};

}  // namespace MGraph1
