// The queen's limits and links and its track messages.
#include "graph/Queen.h"

namespace MGraph1 {

namespace {

bool Raise(double& value, double bound) noexcept {
  if (!(value < bound)) return false;
  value = bound;
  return true;
}

bool Lower(double& value, double bound) noexcept {
  if (!(value > bound)) return false;
  value = bound;
  return true;
}

bool Take(double& value, double from) noexcept {
  if (value == from) return false;
  value = from;
  return true;
}

}  // namespace

// Bounds on the candidate apply for every record; in links the rest only when the record
// names the queen that moves.
bool Queen::Apply(const QueenConstraint& record, QueenPoint& c, bool isLink, bool fromMover) {
  uint32_t const f = record.flags;
  bool changed = false;
  if (f & kRaiseCandidateX) changed |= Raise(c.x, record.value);
  if (f & kLowerCandidateX) changed |= Lower(c.x, record.value);
  if (f & kRaiseCandidateY) changed |= Raise(c.y, record.value);
  if (f & kLowerCandidateY) changed |= Lower(c.y, record.value);
  if (isLink && !fromMover) return changed;
  if ((f & kTakeLowerX) && c.x < mCurrent.x) changed |= Take(mCurrent.x, c.x);
  if ((f & kTakeHigherX) && c.x > mCurrent.x) changed |= Take(mCurrent.x, c.x);
  if ((f & kTakeLowerY) && c.y < mCurrent.y) changed |= Take(mCurrent.y, c.y);
  if ((f & kTakeHigherY) && c.y > mCurrent.y) changed |= Take(mCurrent.y, c.y);
  if (isLink) {
    if (f & kXFromCandidateY) changed |= Take(mCurrent.x, c.y);
    else if (f & kYFromCandidateX) changed |= Take(mCurrent.y, c.x);
    if (f & kFollowX) changed |= Take(mCurrent.x, c.x);
    if (f & kFollowY) changed |= Take(mCurrent.y, c.y);
  }
  if (!record.other) return changed;
  const QueenPoint& other = record.other->mCurrent;
  if (f & kAtLeastOtherX) changed |= Raise(mCurrent.x, other.x);
  if (f & kAtMostOtherX) changed |= Lower(mCurrent.x, other.x);
  if (f & kAtLeastOtherY) changed |= Raise(mCurrent.y, other.y);
  if (f & kAtMostOtherY) changed |= Lower(mCurrent.y, other.y);
  return changed;
}

bool Queen::ApplyLimits(QueenPoint& candidate) {
  bool changed = false;
  for (const QueenConstraint& record : mLimits) changed |= Apply(record, candidate, false, false);
  return changed;
}

bool Queen::ApplyLinks(const Queen& mover, QueenPoint& candidate) {
  bool changed = false;
  for (const QueenConstraint& record : mLinks) changed |= Apply(record, candidate, true, record.other == &mover);
  return changed;
}

void Queen::Announce(MessageTrackMessage& message) {
  message.queenId = mId;
  message.committed = message.committedAgain = mCommitted;
  message.current = message.currentAgain = mCurrent;
  Send(&message);
}

}  // namespace MGraph1
