// MGraph1::QueenController: picking, dragging within limits, links, the message sequence and the queen list.
#include "graph/QueenController.h"

#include "graph/Graph2DDrawer.h"
#include "graph/Queen.h"

#include "tests/graph/GraphCanvas.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

namespace {

// A vertical line at its x; in reach within its hit tolerance of the line's pixel column.
class LineQueen : public MGraph1::Queen {
 public:
  LineQueen(int32_t id, double x, std::string* drawLog = nullptr) : Queen(id), log(drawLog) {
    SetPosition({x, 0.0});
  }
  ~LineQueen() override {
    if (deleted) *deleted = true;
  }
  double HitDistance(int32_t px, int32_t) override {
    double const distance = std::fabs(px - GetXMapping()->Map(GetCurrent().x));
    return distance <= GetHitTolerance() ? distance : DBL_MAX;
  }
  void OnDraw(OWL::TDC&, OWL::TDC&, OWL::TRect&, OWL::TRect&) override {
    if (log) *log += std::to_string(GetId());
  }
  std::string* log;
  bool* deleted = nullptr;
};

// Names every message it gets, in order: B/E from the controller, C/T with the queen's id.
class Recorder : public MessSys::MessageReceiver {
 public:
  bool OnMessage(MessSys::Message* message) override {
    if (dynamic_cast<MGraph1::MessageQueenControllerTrackBegin*>(message)) log += "B ";
    if (dynamic_cast<MGraph1::MessageQueenControllerTrackEnd*>(message)) log += "E ";
    if (auto* const changed = dynamic_cast<MGraph1::MessageQueenChanged*>(message))
      log += "C" + std::to_string(changed->queenId) + " ";
    if (auto* const end = dynamic_cast<MGraph1::MessageQueenTrackEnd*>(message))
      log += "T" + std::to_string(end->queenId) + " ";
    return true;
  }
  std::string log;
};

// Ten pixels per data unit in X; the plot rectangle starts at the origin.
class QueenControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MapPlot(controller, 10.0, 0.0, 1.0, 0.0);
    controller.AddReceiver(&recorder);
  }
  LineQueen* Add(int32_t id, double x) {
    auto* const queen = new LineQueen(id, x, &draws);
    controller.AddQueen(queen, true);
    queen->AddReceiver(&recorder);
    return queen;
  }
  const OWL::TRect plot{0, 0, 200, 100};
  std::string draws;
  Recorder recorder;
  MGraph1::QueenController controller;
};

}  // namespace

TEST_F(QueenControllerTest, PressOutOfReachTracksNothing) {
  LineQueen* const queen = Add(1, 5.0);
  EXPECT_FALSE(controller.TrackBegin(150, 50, plot));  // 100 pixels from the line
  EXPECT_FALSE(controller.TrackMove(60, 50, plot));
  controller.TrackEnd(60, 50, plot);
  EXPECT_EQ("B E ", recorder.log);
  EXPECT_EQ(5.0, queen->GetCommitted().x);
}

TEST_F(QueenControllerTest, PickedQueenComesToTheFrontAndIsDrawnLast) {
  LineQueen* const first = Add(1, 5.0);
  LineQueen* const second = Add(2, 5.0);
  EXPECT_TRUE(controller.TrackBegin(50, 10, plot));  // a tie: the first listed wins
  controller.TrackEnd(50, 10, plot);
  EXPECT_EQ(first, controller.GetQueen(0));
  ASSERT_TRUE(controller.TrackBegin(51, 10, plot));
  controller.TrackMove(81, 10, plot);  // first moves to 8
  controller.TrackEnd(81, 10, plot);
  ASSERT_TRUE(controller.TrackBegin(49, 10, plot));  // only second is in reach
  controller.TrackEnd(49, 10, plot);
  EXPECT_EQ(second, controller.GetQueen(0));
  EXPECT_EQ(first, controller.GetQueen(1));
  GraphCanvas canvas(10, 10);
  MGraph1::DrawChain(controller, canvas.dc, canvas.dc, plot, plot);
  EXPECT_EQ("12", draws);  // the front queen on top
}

TEST_F(QueenControllerTest, LimitHoldsDuringTheDragOnlyWithTheTakeHigherFlag) {
  struct Case {
    uint32_t flags;
    double duringDrag;
  };
  for (const Case& c : {Case{0x0041, 5.0}, Case{0x0001, 2.0}}) {
    MGraph1::QueenController local;
    MapPlot(local, 10.0, 0.0, 1.0, 0.0);
    auto* const queen = new LineQueen(1, 8.0);
    local.AddQueen(queen, true);
    queen->AddLimit({nullptr, 5.0, c.flags});
    ASSERT_TRUE(local.TrackBegin(80, 10, plot));  // picked at its own position
    local.TrackMove(20, 10, plot);
    EXPECT_EQ(c.duringDrag, queen->GetCurrent().x) << "flags " << c.flags;
    local.TrackEnd(20, 10, plot);
    EXPECT_EQ(5.0, queen->GetCommitted().x) << "flags " << c.flags;  // the bound clamps at release
  }
}

TEST_F(QueenControllerTest, LinkedQueenFollowsAndIsCommittedAtTheLeadersPosition) {
  LineQueen* const leader = Add(1, 8.0);
  LineQueen* const follower = Add(2, 15.0);
  leader->AddLimit({nullptr, 5.0, 0x0041});
  follower->AddLink({leader, 0.0, 0x0400});
  ASSERT_TRUE(controller.TrackBegin(80, 10, plot));
  EXPECT_TRUE(controller.TrackMove(60, 10, plot));
  EXPECT_EQ(6.0, follower->GetCurrent().x);
  EXPECT_EQ(15.0, follower->GetCommitted().x);
  controller.TrackMove(30, 10, plot);  // the leader stops at 5, and so does the follower
  EXPECT_EQ(5.0, follower->GetCurrent().x);
  controller.TrackEnd(30, 10, plot);
  EXPECT_EQ(5.0, leader->GetCommitted().x);
  EXPECT_EQ(5.0, follower->GetCommitted().x);
  EXPECT_FALSE(follower->IsTracking());
  EXPECT_EQ("B C1 C2 C1 C2 T1 T2 E ", recorder.log);
}

TEST_F(QueenControllerTest, LinkToAnotherQueenAndUnlinkedQueensStayPut) {
  LineQueen* const leader = Add(1, 8.0);
  LineQueen* const bystander = Add(2, 15.0);
  LineQueen* const other = Add(3, 18.0);
  bystander->AddLink({other, 0.0, 0x0400});  // linked to a queen that does not move
  ASSERT_TRUE(controller.TrackBegin(80, 10, plot));
  controller.TrackMove(60, 10, plot);
  controller.TrackEnd(60, 10, plot);
  EXPECT_EQ(6.0, leader->GetCommitted().x);
  EXPECT_EQ(15.0, bystander->GetCommitted().x);
  EXPECT_EQ("B C1 T1 E ", recorder.log);
}

TEST_F(QueenControllerTest, RemovingDeletesOwnedQueensAndUnknownOnesAnswerFalse) {
  bool deleted = false;
  LineQueen* const queen = Add(1, 5.0);
  queen->deleted = &deleted;
  LineQueen stranger(9, 1.0);
  EXPECT_FALSE(controller.RemoveQueen(&stranger));
  EXPECT_EQ(1, controller.GetQueenCount());
  EXPECT_TRUE(controller.RemoveQueen(queen));
  EXPECT_TRUE(deleted);
  EXPECT_EQ(0, controller.GetQueenCount());
}

TEST(Graph2DDrawerQueens, DrawerForwardsQueensAndResetStartsEmpty) {
  MGraph1::Graph2DDrawer drawer;
  EXPECT_FALSE(drawer.AddQueen(nullptr, true));
  LineQueen kept(1, 0.5);
  ASSERT_TRUE(drawer.AddQueen(&kept, false));
  EXPECT_EQ(1, drawer.GetQueenController().GetQueenCount());
  drawer.ApplyDomain(2.0, 3.0);
  double minimum = 0.0, maximum = 0.0;
  kept.GetXBounds(minimum, maximum);
  EXPECT_EQ(2.0, minimum);  // the controller hands its new range on
  drawer.ResetQueens();
  EXPECT_EQ(0, drawer.GetQueenController().GetQueenCount());
  EXPECT_FALSE(drawer.RemoveQueen(&kept));
}
