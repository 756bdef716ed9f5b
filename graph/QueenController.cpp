// The queen controller's tracking and drawing.
#include "graph/QueenController.h"

namespace MGraph1 {

bool QueenController::TrackBegin(double, double, const OWL::TRect&) {
  MessageQueenControllerTrackBegin message;
  Send(&message);
  mTracking = false;  // no queen to pick
  return mTracking;
}

bool QueenController::TrackMove(double, double, const OWL::TRect&) { return false; }

void QueenController::TrackEnd(double, double, const OWL::TRect&) {
  mTracking = false;
  MessageQueenControllerTrackEnd message;
  Send(&message);
}

void QueenController::OnDraw(OWL::TDC&, OWL::TDC&, OWL::TRect&, OWL::TRect&) {}

}  // namespace MGraph1
