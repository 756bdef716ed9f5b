// The queen controller's queen list, hit test, tracking and drawing.
#include "graph/QueenController.h"

#include "graph/Queen.h"

#include <algorithm>

namespace MGraph1 {

QueenController::~QueenController() {
  for (const Entry& entry : mOwned)
    if (entry.owned) delete entry.queen;
}

bool QueenController::AddQueen(Queen* queen, bool owned) {
  if (!queen) return false;
  queen->CopyDrawerSettings(*this);
  double minimum = 0.0, maximum = 0.0;
  GetXBounds(minimum, maximum);
  queen->SetXBounds(minimum, maximum);
  GetYBounds(minimum, maximum);
  queen->SetYBounds(minimum, maximum);
  queen->SetVisible(true);
  queen->SetHitTolerance(mHitTolerance);
  mOwned.push_back({queen, owned});
  mQueens.push_back(queen);
  return true;
}

bool QueenController::RemoveQueen(Queen* queen) {
  auto const entry = std::find_if(mOwned.begin(), mOwned.end(), [queen](const Entry& e) { return e.queen == queen; });
  auto const listed = std::find(mQueens.begin(), mQueens.end(), queen);
  bool const found = entry != mOwned.end() && listed != mQueens.end();
  if (listed != mQueens.end()) mQueens.erase(listed);
  if (queen == mTracked) mTracked = nullptr;
  if (entry != mOwned.end()) {
    if (entry->owned) delete entry->queen;
    mOwned.erase(entry);
  }
  return found;
}

void QueenController::SetHitTolerance(int32_t pixels) {
  mHitTolerance = pixels;
  for (const Entry& entry : mOwned) entry.queen->SetHitTolerance(pixels);
}

void QueenController::ForEachQueen(void (Queen::*member)(double, double), double a, double b) {
  for (Queen* const queen : mQueens)
    if (queen) (queen->*member)(a, b);
}

void QueenController::SetOptionAll(int32_t value) {
  for (const Entry& entry : mOwned) entry.queen->SetOption(value);
}

Queen* QueenController::GetQueen(int32_t index) const {
  if (index < 0 || index >= GetQueenCount()) return nullptr;
  return mQueens[static_cast<size_t>(index)];
}

void QueenController::OnXBoundsChanged() {
  double minimum = 0.0, maximum = 0.0;
  GetXBounds(minimum, maximum);
  for (Queen* const queen : mQueens) queen->SetXBounds(minimum, maximum);
}

void QueenController::OnYBoundsChanged() {
  double minimum = 0.0, maximum = 0.0;
  GetYBounds(minimum, maximum);
  for (Queen* const queen : mQueens) queen->SetYBounds(minimum, maximum);
}

// Without a mapping a pixel counts as a data value.
QueenPoint QueenController::ToData(double px, double py, const OWL::TRect& plotRect) const {
  QueenPoint point{px - plotRect.left, py - plotRect.top};
  if (const MappingRecord* const x = GetXMapping()) point.x = x->Unmap(point.x);
  if (const MappingRecord* const y = GetYMapping()) point.y = y->Unmap(point.y);
  return point;
}

// The nearest visible, hittable queen below the threshold; the first on ties.
Queen* QueenController::HitTest(double px, double py) const {
  Queen* nearest = nullptr;
  double best = mHitThreshold;
  for (Queen* const queen : mQueens) {
    if (!queen->IsVisible() || !queen->IsHittable()) continue;
    double const distance = queen->HitDistance(static_cast<int32_t>(px), static_cast<int32_t>(py));
    if (distance < best) {
      best = distance;
      nearest = queen;
    }
  }
  return nearest;
}

bool QueenController::TrackBegin(double px, double py, const OWL::TRect& plotRect) {
  MessageQueenControllerTrackBegin begin;
  Send(&begin);
  mTracked = HitTest(px, py);
  if (!mTracked) return false;
  mQueens.erase(std::find(mQueens.begin(), mQueens.end(), mTracked));
  mQueens.insert(mQueens.begin(), mTracked);
  QueenPoint const mouse = ToData(px, py, plotRect);
  for (Queen* const queen : mQueens) {
    queen->mTracking = true;
    queen->mFollowed = false;
    queen->mDragOffset = {queen->mCommitted.x - mouse.x, queen->mCommitted.y - mouse.y};
    queen->mCurrent = queen->mCommitted;
    queen->OnTrackBegin();
  }
  return true;
}

void QueenController::MoveFollower(Queen& queen) {
  QueenPoint candidate = mTracked->mCurrent;
  QueenPoint const before = queen.mCurrent;
  if (queen.ApplyLinks(*mTracked, candidate)) {
    queen.mFollowed = true;
    queen.ApplyLimits(candidate);
  }
  if (queen.mCurrent != before) {
    queen.mDragOffset = {};
    MessageQueenChanged changed;
    queen.Announce(changed);
  }
  queen.OnMoved();
}

bool QueenController::TrackMove(double px, double py, const OWL::TRect& plotRect) {
  if (!mTracked) return false;
  QueenPoint mouse = ToData(px, py, plotRect);
  Queen& tracked = *mTracked;
  QueenPoint const before = tracked.mCurrent;
  tracked.mCurrent = {tracked.mDragOffset.x + mouse.x, tracked.mDragOffset.y + mouse.y};
  tracked.ApplyLimits(mouse);
  bool const changed = tracked.mCurrent != before;
  if (changed) {
    MessageQueenChanged message;
    tracked.Announce(message);
  }
  tracked.OnMoved();
  for (size_t i = 1; i < mQueens.size(); ++i) MoveFollower(*mQueens[i]);
  return changed;
}

// A linked queen is committed at the leader's position; one that followed keeps where it went.
void QueenController::EndFollower(Queen& queen) {
  QueenPoint candidate = mTracked->mCurrent;
  bool committed = true;
  if (queen.ApplyLinks(*mTracked, candidate)) {
    queen.ApplyLimits(candidate);
    queen.mCurrent = queen.mCommitted = candidate;
  } else if (queen.mFollowed) {
    queen.ApplyLimits(queen.mCurrent);
    queen.mCommitted = queen.mCurrent;
  } else {
    committed = false;
  }
  queen.mFollowed = false;
  if (committed) {
    MessageQueenTrackEnd end;
    queen.Announce(end);
  }
  queen.mTracking = false;
  queen.OnTrackEnd();
}

void QueenController::TrackEnd(double px, double py, const OWL::TRect& plotRect) {
  if (mTracked) {
    Queen& tracked = *mTracked;
    QueenPoint const mouse = ToData(px, py, plotRect);
    tracked.mCurrent = {tracked.mDragOffset.x + mouse.x, tracked.mDragOffset.y + mouse.y};
    tracked.ApplyLimits(tracked.mCurrent);
    tracked.mCommitted = tracked.mCurrent;
    tracked.mFollowed = false;
    MessageQueenTrackEnd end;
    tracked.Announce(end);
    tracked.mTracking = false;
    tracked.OnTrackEnd();
    for (size_t i = 1; i < mQueens.size(); ++i) EndFollower(*mQueens[i]);
  }
  mTracked = nullptr;
  MessageQueenControllerTrackEnd end;
  Send(&end);
}

void QueenController::OnDraw(OWL::TDC& dc, OWL::TDC& referenceDc, OWL::TRect& plotRect, OWL::TRect& clipRect) {
  for (auto queen = mQueens.rbegin(); queen != mQueens.rend(); ++queen)
    if ((*queen)->IsVisible()) (*queen)->PreDraw(dc, referenceDc, plotRect, clipRect);
  for (auto queen = mQueens.rbegin(); queen != mQueens.rend(); ++queen)
    if ((*queen)->IsVisible()) DrawChain(**queen, dc, referenceDc, plotRect, plotRect);
}

}  // namespace MGraph1
