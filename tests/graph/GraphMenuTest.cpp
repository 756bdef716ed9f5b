// MGraph1::GraphMenu through the scripted modal seam: command ids, receivers' state, separators, dismissal.
#include "graph/GraphMenu.h"

#include "tests/graph/GraphTestHost.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

namespace {

// Sets every item it is asked about to the state given, and logs what it is told.
class ItemOwner : public MessSys::MessageReceiver {
 public:
  bool OnMessage(MessSys::Message* message) override {
    if (auto* const ask = dynamic_cast<MGraph1::PreDisplayMenuMessage*>(message)) {
      *ask->state = state;
      ++asked;
      return true;
    }
    if (auto* const chosen = dynamic_cast<MGraph1::OnMenuItemMessage*>(message)) {
      chosenIds.push_back(chosen->id);
      return true;
    }
    return false;
  }
  MGraph1::MenuItemState state{true, true, false};
  int asked = 0;
  std::vector<int32_t> chosenIds;
};

class GraphMenuTest : public ::testing::Test {
 protected:
  ScriptedModalSeam seam;
  ItemOwner owner;
  MGraph1::GraphMenu menu;
};

}  // namespace

TEST_F(GraphMenuTest, CommandIdsCountItemsFromOneHundred) {
  menu.AddItem(57, L"Start", &owner);
  menu.AddItem(0, L"", nullptr);
  menu.AddItem(0, L"", nullptr);
  menu.AddItem(3, L"Peak", &owner);
  seam.MenuChoices.push_back(103);
  EXPECT_TRUE(menu.Show(nullptr, 10, 10));
  EXPECT_EQ(std::vector<int32_t>{3}, owner.chosenIds);
  EXPECT_EQ(4, seam.MenuItemCounts.at(0));  // both separators appear
  EXPECT_EQ(2, owner.asked);                // separators ask nobody
}

TEST_F(GraphMenuTest, GreyedItemCannotBeChosenAndDismissalSendsNothing) {
  owner.state = {true, false, true};
  menu.AddItem(5, L"Area", &owner);
  seam.MenuChoices.push_back(100);
  EXPECT_FALSE(menu.Show(nullptr, 0, 0));  // greyed: nothing comes back
  EXPECT_FALSE(menu.Show(nullptr, 0, 0));  // dismissed
  EXPECT_TRUE(owner.chosenIds.empty());
  EXPECT_FALSE(menu.GetItems()[0].state.enabled);
  EXPECT_TRUE(menu.GetItems()[0].state.checked);
}

TEST_F(GraphMenuTest, HiddenItemsLeaveAnEmptyPopup) {
  owner.state = {false, true, false};
  menu.AddItem(1, L"Start", &owner);
  menu.AddItem(2, L"End", &owner);
  seam.MenuChoices.push_back(101);
  EXPECT_FALSE(menu.Show(nullptr, 0, 0));
  EXPECT_EQ(0, seam.MenuItemCounts.at(0));
  EXPECT_TRUE(owner.chosenIds.empty());
}
