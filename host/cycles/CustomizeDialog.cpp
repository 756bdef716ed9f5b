// The cycle extension's settings dialog, built in memory: its template, its values in and out, and the
// scripted run that tests use instead of the modal loop.
#include "host/cycles/CustomizeDialog.h"

#include <cstdint>
#include <cwchar>
#include <sstream>
#include <vector>

#include "host/view/HostMessageLoop.h"

namespace host {

namespace {

std::function<void(HWND)>& Script() {
  static std::function<void(HWND)> script;
  return script;
}

class TemplateWriter {
 public:
  TemplateWriter(const std::wstring& title, short cx, short cy) {
    DLGTEMPLATE head{};
    head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    head.cx = cx;
    head.cy = cy;
    Append(&head, sizeof head);
    Word(0);
    Word(0);
    Text(title.c_str());
    Word(8);
    Text(L"MS Shell Dlg");
  }
  void Item(uint16_t atom, int id, const wchar_t* text, short x, short y, short cx, short cy, DWORD style) {
    while (mBytes.size() % 4) mBytes.push_back(0);
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = static_cast<WORD>(id);
    Append(&item, sizeof item);
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);
    ++reinterpret_cast<DLGTEMPLATE*>(mBytes.data())->cdit;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(mBytes.data()); }

 private:
  void Append(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    mBytes.insert(mBytes.end(), p, p + size);
  }
  void Word(uint16_t w) { Append(&w, sizeof w); }
  void Text(const wchar_t* text) { Append(text, (wcslen(text) + 1) * sizeof(wchar_t)); }

  std::vector<uint8_t> mBytes;
};

constexpr uint16_t kButton = 0x80;
constexpr uint16_t kEdit = 0x81;
constexpr uint16_t kStatic = 0x82;

void Load(HWND dialog, const DetectionValues& values) {
  std::wostringstream height;
  height << values.minPeakHeight;
  SetDlgItemTextW(dialog, kCustomizeHeight, height.str().c_str());
  CheckDlgButton(dialog, kCustomizeRelative, RelativeSwitchOn(values.relative) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kCustomizeDownward, values.polarity < 0.0 ? BST_CHECKED : BST_UNCHECKED);
}

// False (values unchanged) when the height does not read as a whole number text.
bool Read(HWND dialog, DetectionValues& values) {
  wchar_t text[64] = {};
  GetDlgItemTextW(dialog, kCustomizeHeight, text, 64);
  wchar_t* end = nullptr;
  const double height = wcstod(text, &end);
  if (end == text || *end != L'\0') return false;
  DetectionValues read = values;
  read.minPeakHeight = height;
  read.relative = IsDlgButtonChecked(dialog, kCustomizeRelative) == BST_CHECKED ? 1.0 : 0.0;
  read.polarity = IsDlgButtonChecked(dialog, kCustomizeDownward) == BST_CHECKED ? -1.0 : 1.0;
  if (!read.IsValid()) return false;
  values = read;
  return true;
}

struct DialogState {
  DetectionValues* values;
  INT_PTR result = IDCANCEL;  // the button that ended the dialog
  bool ended = false;
};

void End(HWND dialog, DialogState* state, INT_PTR result) {
  if (state) {
    state->result = result;
    state->ended = true;
  }
  EndDialog(dialog, result);
}

INT_PTR CALLBACK CustomizeProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    Load(dialog, *reinterpret_cast<DialogState*>(lParam)->values);
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  const int id = LOWORD(wParam);
  if (id == IDOK && state) {
    if (!Read(dialog, *state->values)) {
      MessageBeep(MB_ICONWARNING);  // the dialog stays open with the text to correct
      return TRUE;
    }
    End(dialog, state, IDOK);
    return TRUE;
  }
  if (id == IDCANCEL) {
    End(dialog, state, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void SetCustomizeScript(std::function<void(HWND dialog)> script) { Script() = std::move(script); }

bool RunCustomizeDialog(HWND owner, const std::wstring& title, DetectionValues& values) {
  TemplateWriter t(title, 200, 76);
  t.Item(kStatic, -1, L"Minimum peak &height:", 7, 9, 80, 8, SS_LEFT);
  t.Item(kEdit, kCustomizeHeight, L"", 90, 7, 60, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
  t.Item(kButton, kCustomizeRelative, L"Height in &standard deviations", 7, 24, 180, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
  t.Item(kButton, kCustomizeDownward, L"&Downward peaks", 7, 38, 180, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
  t.Item(kButton, IDOK, L"OK", 88, 55, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP);
  t.Item(kButton, IDCANCEL, L"Cancel", 143, 55, 50, 14, BS_PUSHBUTTON | WS_TABSTOP);
  DetectionValues edited = values;
  DialogState state{&edited};
  const LPARAM param = reinterpret_cast<LPARAM>(&state);
  INT_PTR result = IDCANCEL;
  if (const std::function<void(HWND)> script = Script()) {
    HWND const dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner, CustomizeProc, param);
    if (!dialog) return false;
    script(dialog);
    result = state.result;  // a modeless dialog's EndDialog only hides it
    DestroyWindow(dialog);
  } else {
    // Modal in the host's own loop, which pre-translates every message as its main loop does.
    HWND const dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner, CustomizeProc, param);
    if (!dialog) return false;
    ShowWindow(dialog, SW_SHOW);
    RunModalDialogLoop(dialog, owner, [&state] { return state.ended; });
    result = state.result;
    DestroyWindow(dialog);
  }
  if (result != IDOK) return false;
  values = edited;
  return true;
}

}  // namespace host
