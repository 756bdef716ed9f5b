// MGraph1::QueenController: the drawable that owns a drawer's queen cursors and tracks the mouse for them.
#pragma once

#include "graph/GraphDrawer.h"
#include "graph/Message.h"
#include "graph/MessageSender.h"

#include <cstdint>

namespace MGraph1 {

struct MessageQueenControllerTrackBegin : MessSys::Message {
  int32_t reserved = 0;
};

struct MessageQueenControllerTrackEnd : MessSys::Message {
  int32_t reserved = 0;
};

// Announces the start and end of every tracking through its own sender. A press picks the
// nearest queen within reach; with no queen nothing is tracked and moves change nothing.
class QueenController : public GraphDrawer, public MessSys::MessageSender {
 public:
  QueenController() = default;

  void SetHitTolerance(int32_t pixels) noexcept { mHitTolerance = pixels; }
  int32_t GetHitTolerance() const noexcept { return mHitTolerance; }
  bool IsTracking() const noexcept { return mTracking; }

  // True when a queen is picked at the pixel (px, py).
  bool TrackBegin(double px, double py, const OWL::TRect& plotRect);
  // True when the tracked queen changed.
  bool TrackMove(double px, double py, const OWL::TRect& plotRect);
  void TrackEnd(double px, double py, const OWL::TRect& plotRect);

  void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) override;

 private:
  int32_t mHitTolerance = 8;
  bool mTracking = false;
};

}  // namespace MGraph1
