// The graph menu's items, the popup built from them and the choice handed to a receiver.
#include "graph/GraphMenu.h"

#include "platform/owl/TPopupMenu.h"

namespace MGraph1 {

namespace {
constexpr int32_t kFirstCommand = 100;
}  // namespace

void GraphMenu::AddItem(int32_t id, const QOR::String& text, MessSys::MessageReceiver* receiver) {
  mItems.push_back({id, receiver, {true, true, false}, text});
}

bool GraphMenu::Show(HWND window, int32_t x, int32_t y) {
  OWL::TPopupMenu popup;
  for (size_t i = 0; i < mItems.size(); ++i) {
    Item& item = mItems[i];
    if (item.id == 0) {
      popup.AppendMenu(MF_SEPARATOR);
      continue;
    }
    PreDisplayMenuMessage ask(item.id, &item.state, &item.text);
    if (item.receiver) item.receiver->OnMessage(&ask);
    if (!item.state.shown) continue;
    UINT const flags = MF_STRING | (item.state.checked ? MF_CHECKED : 0u) | (item.state.enabled ? 0u : MF_GRAYED);
    popup.AppendMenu(flags, static_cast<UINT_PTR>(i) + kFirstCommand, item.text.GetText());
  }
  int const command = popup.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, OWL::TPoint(x, y), window);
  if (command <= 0) return false;
  size_t const index = static_cast<size_t>(command - kFirstCommand);
  if (command < kFirstCommand || index >= mItems.size()) return false;
  OnMenuItemMessage chosen(mItems[index].id);
  if (mItems[index].receiver) mItems[index].receiver->OnMessage(&chosen);
  return true;
}

}  // namespace MGraph1
