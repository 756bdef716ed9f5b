// MGraph1::GraphMenu: a graph's right-button menu whose items ask their receivers how to show.
#pragma once

#include "graph/GraphMessages.h"
#include "graph/Message.h"

#include "base/String.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace MGraph1 {

// Before the popup opens, each item's receiver gets a PreDisplayMenuMessage and may hide,
// disable or check it; the chosen item's receiver gets an OnMenuItemMessage. Item i carries the
// command id i + 100 whatever its own id; id 0 makes a separator. Receivers are not owned.
class GraphMenu {
 public:
  struct Item {
    int32_t id;
    MessSys::MessageReceiver* receiver;
    MenuItemState state;
    QOR::String text;
  };

  GraphMenu() = default;
  virtual ~GraphMenu() = default;

  void AddItem(int32_t id, const QOR::String& text, MessSys::MessageReceiver* receiver);
  const std::vector<Item>& GetItems() const noexcept { return mItems; }
  // Tracks the popup at (x, y) in screen coordinates through the modal seam; true when an item
  // was chosen (dismissing it sends nothing).
  bool Show(HWND window, int32_t x, int32_t y);

 private:
  std::vector<Item> mItems;
};

}  // namespace MGraph1
