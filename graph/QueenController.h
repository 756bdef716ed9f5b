// MGraph1::QueenController: the drawable that owns a drawer's queen cursors and tracks the mouse for them.
#pragma once

#include "graph/GraphDrawer.h"
#include "graph/Message.h"
#include "graph/MessageSender.h"

#include <cfloat>
#include <cstdint>
#include <list>
#include <vector>

namespace MGraph1 {

class Queen;
struct QueenPoint;

struct MessageQueenControllerTrackBegin : MessSys::Message {
  int32_t reserved = 0;
};

struct MessageQueenControllerTrackEnd : MessSys::Message {
  int32_t reserved = 0;
};

// Announces the start and end of every tracking through its own sender. A press picks the
// nearest queen within reach and brings it to the front (index 0: tested first, drawn last);
// with no queen nothing is tracked and moves change nothing. Owned queens die with it.
class QueenController : public GraphDrawer, public MessSys::MessageSender {
 public:
  QueenController() = default;
  ~QueenController() override;

  // Gives the queen this controller's settings and ranges and puts it behind the others.
  bool AddQueen(Queen* queen, bool owned);
  // False when the queen was never added; an owned queen is deleted.
  bool RemoveQueen(Queen* queen);
  void SetHitTolerance(int32_t pixels);
  int32_t GetHitTolerance() const noexcept { return mHitTolerance; }
  // Calls member (a, b) on every queen.
  void ForEachQueen(void (Queen::*member)(double, double), double a, double b);
  void SetOptionAll(int32_t value);
  int32_t GetQueenCount() const noexcept { return static_cast<int32_t>(mQueens.size()); }
  // In drawing order: 0 is the front queen.
  Queen* GetQueen(int32_t index) const;
  bool IsTracking() const noexcept { return mTracked != nullptr; }

  // Pixels in the drawer's coordinates. TrackBegin is true when a queen is picked; TrackMove
  // when the tracked queen changed.
  bool TrackBegin(double px, double py, const OWL::TRect& plotRect);
  bool TrackMove(double px, double py, const OWL::TRect& plotRect);
  void TrackEnd(double px, double py, const OWL::TRect& plotRect);

  void OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) override;

 protected:
  void OnXBoundsChanged() override;
  void OnYBoundsChanged() override;

 private:
  struct Entry {
    Queen* queen;
    bool owned;
  };
  QueenPoint ToData(double px, double py, const OWL::TRect& plotRect) const;
  Queen* HitTest(double px, double py) const;
  void MoveFollower(Queen& queen);
  void EndFollower(Queen& queen);

  Queen* mTracked = nullptr;
  std::vector<Queen*> mQueens;
  std::list<Entry> mOwned;
  int32_t mHitTolerance = 8;
  double mHitThreshold = DBL_MAX;
};

}  // namespace MGraph1
