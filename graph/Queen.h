// MGraph1::Queen: a draggable marker of a graph, with its position, limits, links and messages.
#pragma once

#include "graph/GraphDrawer.h"
#include "graph/Message.h"
#include "graph/MessageSender.h"

#include <cstdint>
#include <vector>

namespace MGraph1 {

class Queen;

// A position in data units.
struct QueenPoint {
  double x = 0.0;
  double y = 0.0;
  bool operator==(const QueenPoint& other) const noexcept { return x == other.x && y == other.y; }
  bool operator!=(const QueenPoint& other) const noexcept { return !(*this == other); }
};

// Flags of a limit or link record; applied in the order listed, records in array order.
enum QueenConstraintFlags : uint32_t {
  kRaiseCandidateX = 0x0001,  // candidate x raised to value when below
  kRaiseCandidateY = 0x0002,
  kLowerCandidateX = 0x0004,  // candidate x lowered to value when above
  kLowerCandidateY = 0x0008,
  kTakeLowerX = 0x0010,       // current x takes the candidate's x when that is below it
  kTakeLowerY = 0x0020,
  kTakeHigherX = 0x0040,      // current x takes the candidate's x when that is above it
  kTakeHigherY = 0x0080,
  kXFromCandidateY = 0x0100,  // links only: current x takes the candidate's y
  kYFromCandidateX = 0x0200,  // links only, without 0x0100: current y takes the candidate's x
  kFollowX = 0x0400,          // links only: current x takes the candidate's x
  kFollowY = 0x0800,          // links only: current y takes the candidate's y
  kAtLeastOtherX = 0x1000,    // current x raised to the other queen's current x
  kAtMostOtherX = 0x2000,
  kAtLeastOtherY = 0x4000,
  kAtMostOtherY = 0x8000,
};

struct QueenConstraint {
  Queen* other;  // may be null; not owned
  double value;
  uint32_t flags;
};

// Sent by a queen while it moves and when a tracking commits it.
struct MessageTrackMessage : MessSys::Message {
  int32_t queenId = 0;
  QueenPoint committed;
  QueenPoint committedAgain;
  QueenPoint current;
  QueenPoint currentAgain;
};
struct MessageQueenChanged : MessageTrackMessage {};
struct MessageQueenTrackEnd : MessageTrackMessage {};

// A kind decides its shape: how far the mouse is (HitDistance, in pixels; a huge value out of
// reach) and how it is drawn (PreDraw, then its drawing chain). Positions are in data units.
class Queen : public GraphDrawer, public MessSys::MessageSender {
 public:
  explicit Queen(int32_t id) noexcept : mId(id) {}

  virtual double HitDistance(int32_t px, int32_t py) = 0;
  virtual void PreDraw(OWL::TDC&, OWL::TDC&, const OWL::TRect&, const OWL::TRect&) {}
  virtual void OnTrackBegin() {}
  virtual void OnMoved() {}
  virtual void OnTrackEnd() {}
  virtual void SetOption(int32_t) {}

  int32_t GetId() const noexcept { return mId; }
  void AddLimit(const QueenConstraint& limit) { mLimits.push_back(limit); }
  void AddLink(const QueenConstraint& link) { mLinks.push_back(link); }
  void SetHitTolerance(int32_t pixels) noexcept { mHitTolerance = pixels; }
  int32_t GetHitTolerance() const noexcept { return mHitTolerance; }
  // Places the queen (committed and current) outside a tracking.
  void SetPosition(const QueenPoint& position) noexcept { mCommitted = mCurrent = position; }
  const QueenPoint& GetCommitted() const noexcept { return mCommitted; }
  const QueenPoint& GetCurrent() const noexcept { return mCurrent; }
  bool IsHittable() const noexcept { return mHittable; }
  bool IsTracking() const noexcept { return mTracking; }

  // candidate may be the current position itself; true when anything changed.
  bool ApplyLimits(QueenPoint& candidate);
  bool ApplyLinks(const Queen& mover, QueenPoint& candidate);

 private:
  friend class QueenController;
  bool Apply(const QueenConstraint& record, QueenPoint& candidate, bool isLink, bool fromMover);
  void Announce(MessageTrackMessage& message);

  int32_t mId;
  std::vector<QueenConstraint> mLimits;
  std::vector<QueenConstraint> mLinks;
  int32_t mHitTolerance = 8;
  QueenPoint mCommitted;
  QueenPoint mCurrent;
  QueenPoint mDragOffset;
  bool mFollowed = false;
  bool mTracking = false;
  bool mHittable = true;
};

}  // namespace MGraph1
