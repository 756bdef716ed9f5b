// The table text on the clipboard.
#include "grid/TableClipboard.h"

#include <cstring>

std::wstring JoinTableBlocks(const std::wstring& main, const std::wstring& summary) {
  if (main.empty() || summary.empty()) return main + summary;
  return main + L'\n' + summary;
}

// Closes the clipboard on every way out.
namespace {
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) noexcept : mOpen(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (mOpen) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const noexcept { return mOpen; }

 private:
  bool mOpen;
};
}  // namespace

ClipboardCopy CopyTextToClipboard(HWND owner, const std::wstring& text) noexcept {
  const OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen()) return ClipboardCopy::Busy;
  EmptyClipboard();  // takes ownership, so the owner's data replaces every format there
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL const block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return ClipboardCopy::NoMemory;
  void* const data = GlobalLock(block);
  if (!data) {
    GlobalFree(block);
    return ClipboardCopy::NoMemory;
  }
  std::memcpy(data, text.c_str(), bytes);
  GlobalUnlock(block);
  if (!SetClipboardData(CF_UNICODETEXT, block)) {
    GlobalFree(block);  // still ours: the clipboard did not take it
    return ClipboardCopy::NoMemory;
  }
  return ClipboardCopy::Done;
}
