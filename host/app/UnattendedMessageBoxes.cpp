// Message boxes in a run nobody watches: found by a thread hook when they activate, written out
// and answered with their default button.
#include "host/app/UnattendedMessageBoxes.h"

#include "host/common/MessageText.h"

#include <string>

namespace host {

namespace {

struct Watch {
  FILE* out = nullptr;
  HWND answered = nullptr;  // activation can come more than once for one box
  int boxes = 0;
  bool failure = false;
};
thread_local Watch* tWatch = nullptr;

// A message box is a dialog whose procedure is the system's own (user32), unlike the dialogs of
// the module and the host, whose procedures are theirs.
bool IsMessageBox(HWND window) {
  wchar_t className[16] = {};
  if (!GetClassNameW(window, className, 16) || std::wstring(className) != L"#32770") return false;
  const auto procedure = GetWindowLongPtrW(window, DWLP_DLGPROC);
  HMODULE owner = nullptr;
  return procedure != 0 &&
         GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<const wchar_t*>(procedure), &owner) &&
         owner == GetModuleHandleW(L"user32.dll");
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

struct Content {
  std::wstring text;
  HICON icon = nullptr;
  int defaultButton = 0;  // the button drawn as default, when one is
  int firstButton = 0;
};

BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
  Content& content = *reinterpret_cast<Content*>(param);
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  if (_wcsicmp(className, L"Button") == 0 && (style & WS_VISIBLE) != 0) {
    const int id = GetDlgCtrlID(child);
    if (content.firstButton == 0) content.firstButton = id;
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) content.defaultButton = id;
  }
  if (_wcsicmp(className, L"Static") != 0) return TRUE;
  if ((style & SS_TYPEMASK) == SS_ICON) {
    content.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  } else if (content.text.empty()) {
    content.text = WindowText(child);
  }
  return TRUE;
}

// The text on one line: line ends become spaces.
std::string OneLine(std::wstring text) {
  for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.replace(at, 2, L" ");
  for (wchar_t& c : text)
    if (c == L'\n' || c == L'\r') c = L' ';
  return Utf8FromWide(text);
}

void Answer(HWND box, Watch& watch) {
  Content content;
  EnumChildWindows(box, &ReadChild, reinterpret_cast<LPARAM>(&content));
  const std::string line = OneLine(WindowText(box)) + ": " + OneLine(content.text) + "\n";
  std::fwrite(line.data(), 1, line.size(), watch.out);
  std::fflush(watch.out);
  ++watch.boxes;
  if (content.icon != nullptr && (content.icon == LoadIconW(nullptr, IDI_HAND) ||
                                  content.icon == LoadIconW(nullptr, IDI_EXCLAMATION)))
    watch.failure = true;
  // The focused button is the default one; else the button drawn as default, else the first.
  const HWND focus = GetFocus();
  const int button = focus != nullptr && GetParent(focus) == box ? GetDlgCtrlID(focus)
                     : content.defaultButton != 0                 ? content.defaultButton
                     : content.firstButton != 0                   ? content.firstButton
                                                                  : IDOK;
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

// The box has chosen its default button only once its modal loop runs: it is answered from
// there, by a timer of its own.
constexpr UINT_PTR kAnswerTimer = 0x0A57;

void CALLBACK AnswerFromLoop(HWND box, UINT, UINT_PTR id, DWORD) noexcept {
  try {
    KillTimer(box, id);
    if (tWatch != nullptr) Answer(box, *tWatch);
  } catch (...) {
    // The box stays for a person rather than an exception crossing the system's frame.
  }
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  const HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && tWatch != nullptr && window != tWatch->answered && IsMessageBox(window)) {
    tWatch->answered = window;
    SetTimer(window, kAnswerTimer, 0, &AnswerFromLoop);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

UnattendedMessageBoxes::UnattendedMessageBoxes(FILE* out) {
  static thread_local Watch watch;
  watch = Watch{out, nullptr, 0, false};
  tWatch = &watch;
  mHook = SetWindowsHookExW(WH_CBT, &CbtHook, nullptr, GetCurrentThreadId());
}

UnattendedMessageBoxes::~UnattendedMessageBoxes() {
  if (mHook) UnhookWindowsHookEx(mHook);
  tWatch = nullptr;
}

bool UnattendedMessageBoxes::FailureSeen() const noexcept { return tWatch != nullptr && tWatch->failure; }

int UnattendedMessageBoxes::BoxCount() const noexcept { return tWatch != nullptr ? tWatch->boxes : 0; }

}  // namespace host
