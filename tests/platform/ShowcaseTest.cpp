// Every framework control made with a parent window: all are created, visible and hold what
// their set-up gave them.
#include "tests/platform/Showcase.h"

#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

TEST(Showcase, EveryControlIsCreatedWithItsParent) {
  Showcase window;
  window.Create();
  window.ShowWindow(SW_SHOWNOACTIVATE);
  PumpMessages();
  for (OWL::TWindow* child : window.GetChildren()) {
    ASSERT_NE(child->GetHandle(), nullptr) << "control " << child->GetId();
    EXPECT_TRUE(child->IsWindowVisible()) << "control " << child->GetId();
    EXPECT_EQ(GetParent(child->GetHandle()), window.GetHandle());
  }
  EXPECT_EQ(window.Tabs->GetCount(), 3);
  EXPECT_EQ(window.Combo->GetText(), L"Cardiac Action Potential");
  EXPECT_EQ(window.Edit->GetText(), L"5");
  EXPECT_EQ(window.Slider->GetPosition(), 8);
  EXPECT_EQ(window.Check->GetCheck(), static_cast<UINT>(BST_CHECKED));
}
