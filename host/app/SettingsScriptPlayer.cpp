// The settings script player: finding controls by their labels and acting on them as a user does.
#include "host/app/SettingsScriptPlayer.h"

#include "host/app/WindowPicture.h"
#include "host/common/FileProblemWords.h"
#include "host/common/MessageText.h"
#include "host/data/CustomDocuments.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

namespace ondara_host {

namespace {

constexpr wchar_t kDialogCaption[] = L"Ondara Settings";
constexpr UINT kTickMs = 20;
// How long a hover rests: past the hover time of the module's tips.
constexpr DWORD kRestMs = 1000;

SettingsScriptPlayer* gPlayer = nullptr;

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool IsClass(HWND window, const wchar_t* name) { return _wcsicmp(ClassOf(window).c_str(), name) == 0; }

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) noexcept {
  try {
    if (IsWindowVisible(window) && IsClass(window, L"#32770"))
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

// The visible top-level dialog boxes of this thread.
std::vector<HWND> ThreadDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Every visible descendant of the dialog, in z-order within each parent (the template's order).
void Descendants(HWND parent, std::vector<HWND>& out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    out.push_back(child);
    Descendants(child, out);
  }
}

// The visible windows named by label, buttons and statics by their text; "#ID" names the first
// window of that id (a page repeats no id; only a nested page may repeat one of its owner's).
std::vector<HWND> FindLabelled(HWND dialog, const std::wstring& label) {
  std::vector<HWND> all;
  Descendants(dialog, all);
  std::vector<HWND> named;
  if (label.size() > 1 && label[0] == L'#') {
    const int id = _wtoi(label.c_str() + 1);
    for (HWND window : all)
      if (GetDlgCtrlID(window) == id) return {window};
    return named;
  }
  const std::wstring wanted = NormaliseLabel(label);
  for (HWND window : all)
    if ((IsClass(window, L"Static") || IsClass(window, L"Button")) && NormaliseLabel(TextOf(window)) == wanted)
      named.push_back(window);
  return named;
}

// The control of class name that the label names: the label itself, else the first such
// sibling after it.
HWND ControlAfter(HWND label, const wchar_t* name) {
  for (HWND window = label; window; window = GetWindow(window, GW_HWNDNEXT))
    if (IsClass(window, name) && IsWindowVisible(window)) return window;
  return nullptr;
}

std::string Quoted(const std::wstring& text) { return host::QuoteInput(text); }

// The distinct controls that label names, each found from a labelled window by pick (which
// answers null for a window that leads to none).
template <typename Pick>
std::vector<HWND> ControlsNamed(HWND dialog, const std::wstring& label, Pick pick) {
  std::vector<HWND> controls;
  for (HWND named : FindLabelled(dialog, label)) {
    HWND const control = pick(named);
    if (control && std::find(controls.begin(), controls.end(), control) == controls.end()) controls.push_back(control);
  }
  return controls;
}

// True when label names exactly one control; otherwise the reason says it names none of the
// kind, or names several, each by the id a script then names the one meant by.
bool NamesOne(const std::vector<HWND>& controls, const std::wstring& label, const char* kind, std::string& reason) {
  if (controls.size() == 1) return true;
  if (controls.empty()) {
    reason = std::string("there is no ") + kind + " " + Quoted(label);
    return false;
  }
  // By id, so that the line stays the same whatever order the dialog's pages keep them in.
  std::vector<int> numbers;
  for (HWND control : controls) numbers.push_back(GetDlgCtrlID(control));
  std::sort(numbers.begin(), numbers.end());
  std::string ids;
  for (size_t i = 0; i < numbers.size(); ++i)
    ids += (i == 0 ? "#" : i + 1 == numbers.size() ? " and #" : ", #") + std::to_string(numbers[i]);
  reason = Quoted(label) + " names " + std::to_string(controls.size()) + " " + kind + "s, " + ids +
           ": give the one meant as #ID";
  return false;
}

HWND EditAfter(HWND named) { return ControlAfter(named, L"Edit"); }
HWND ListAfter(HWND named) { return ControlAfter(named, L"ComboBox"); }
HWND ButtonItself(HWND named) { return IsClass(named, L"Button") ? named : nullptr; }
HWND Itself(HWND named) { return named; }

void Command(HWND control, UINT code) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

// A click at (x, y) of window's client area.
void ClickAt(HWND window, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
}

// The entry of a drop-down list whose text matches name (as a label does); -1 for none.
int FindEntry(HWND list, const std::wstring& name) {
  const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) >= 256) continue;
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    if (NormaliseLabel(text) == NormaliseLabel(name)) return i;
  }
  return -1;
}

bool Usable(HWND control, const std::wstring& label, std::string& reason) {
  if (IsWindowEnabled(control)) return true;
  reason = Quoted(label) + " is disabled";
  return false;
}

bool ChooseEntry(HWND dialog, const std::wstring& label, const std::wstring& entry, std::string& reason) {
  const std::vector<HWND> lists = ControlsNamed(dialog, label, &ListAfter);
  if (!NamesOne(lists, label, "list", reason)) return false;
  HWND const list = lists.front();
  if (!Usable(list, label, reason)) return false;
  int position = FindEntry(list, entry);
  const int number = _wtoi(entry.c_str());
  if (position < 0 && number >= 1 && std::to_wstring(number) == entry &&
      number <= SendMessageW(list, CB_GETCOUNT, 0, 0))
    position = number - 1;
  if (position < 0) {
    reason = Quoted(label) + " has no entry " + Quoted(entry);
    return false;
  }
  SendMessageW(list, CB_SETCURSEL, position, 0);
  Command(list, CBN_SELCHANGE);
  return true;
}

bool ClickTab(HWND dialog, const std::wstring& name, std::string& reason) {
  std::vector<HWND> all;
  Descendants(dialog, all);
  for (HWND tabs : all) {
    if (!IsClass(tabs, WC_TABCONTROLW)) continue;
    const int count = TabCtrl_GetItemCount(tabs);
    for (int i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      TabCtrl_GetItem(tabs, i, &item);
      if (NormaliseLabel(text) != NormaliseLabel(name)) continue;
      RECT place{};
      TabCtrl_GetItemRect(tabs, i, &place);
      ClickAt(tabs, (place.left + place.right) / 2, (place.top + place.bottom) / 2);
      return true;
    }
  }
  reason = "there is no tab " + Quoted(name);
  return false;
}

// Types text into the edit as keys do: the old text selected and replaced character by character.
bool EnterText(HWND dialog, const std::wstring& label, const std::wstring& text, std::string& reason) {
  const std::vector<HWND> edits = ControlsNamed(dialog, label, &EditAfter);
  if (!NamesOne(edits, label, "edit", reason)) return false;
  HWND const edit = edits.front();
  if (!Usable(edit, label, reason)) return false;
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CLEAR, 0, 0);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  if (TextOf(edit) == text) return true;
  reason = Quoted(label) + " took " + Quoted(TextOf(edit));
  return false;
}

bool ClickButton(HWND dialog, const std::wstring& label, std::string& reason) {
  const std::vector<HWND> buttons = ControlsNamed(dialog, label, &ButtonItself);
  if (!NamesOne(buttons, label, "button", reason)) return false;
  HWND const named = buttons.front();
  if (!Usable(named, label, reason)) return false;
  SendMessageW(named, BM_CLICK, 0, 0);
  return true;
}

// Clicks the up or down arrow of the up-down control whose buddy is the edit named by label.
bool Spin(HWND dialog, const std::wstring& label, int count, std::string& reason) {
  const std::vector<HWND> edits = ControlsNamed(dialog, label, &EditAfter);
  if (edits.size() > 1) return NamesOne(edits, label, "edit", reason);
  HWND const edit = edits.empty() ? nullptr : edits.front();
  HWND spin = nullptr;
  for (HWND window = edit; window && !spin; window = GetWindow(window, GW_HWNDNEXT))
    if (IsClass(window, UPDOWN_CLASSW)) spin = window;
  if (!spin) {
    reason = "there is no up-down control beside " + Quoted(label);
    return false;
  }
  if (!Usable(spin, label, reason)) return false;
  RECT client{};
  GetClientRect(spin, &client);
  const bool across = (GetWindowLongW(spin, GWL_STYLE) & UDS_HORZ) != 0;
  for (int i = 0; i < std::abs(count); ++i) {
    if (across)
      ClickAt(spin, count > 0 ? client.right * 3 / 4 : client.right / 4, client.bottom / 2);
    else
      ClickAt(spin, client.right / 2, count > 0 ? client.bottom / 4 : client.bottom * 3 / 4);
  }
  return true;
}

// Dispatches this thread's messages as they arrive for ms milliseconds.
void Rest(DWORD ms) {
  DWORD const start = GetTickCount();
  for (DWORD spent = 0; spent < ms; spent = GetTickCount() - start) {
    PumpUntilIdle();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
  }
  PumpUntilIdle();
}

// Rests the pointer on the centre of the control named by label, as a user waiting for its tip:
// the pointer moves there and the window under it gets the move.
bool Hover(HWND dialog, const std::wstring& label, std::string& reason) {
  const std::vector<HWND> controls = ControlsNamed(dialog, label, &Itself);
  if (!NamesOne(controls, label, "control", reason)) return false;
  HWND const control = controls.front();
  RECT place{};
  GetWindowRect(control, &place);
  POINT const centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  SetCursorPos(centre.x, centre.y);
  HWND const under = WindowFromPoint(centre);
  if (under != control && !IsChild(control, under)) {
    reason = Quoted(label) + " is covered";
    return false;
  }
  POINT client = centre;
  ScreenToClient(under, &client);
  SendMessageW(under, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  Rest(kRestMs);
  return true;
}

bool Screenshot(HWND dialog, const SettingsScript& script, const std::wstring& file, std::string& reason) {
  std::filesystem::path path(file);
  if (path.is_relative()) path = std::filesystem::path(script.folder) / path;
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const HRESULT hr = SaveWindowPicture(dialog, path.wstring());
  if (SUCCEEDED(hr)) return true;
  reason = host::Utf8FromWide(path.wstring()) + " could not be written: " + host::SaveProblemWords(path.wstring(), hr);
  return false;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
  try {
    if (gPlayer) gPlayer->Tick();
  } catch (...) {
  }
}

}  // namespace

HWND FindSettingsDialog() {
  for (HWND window : ThreadDialogs())
    if (TextOf(window) == kDialogCaption) return window;
  return nullptr;
}

SettingsScriptPlayer::SettingsScriptPlayer(SettingsScript script) : mScript(std::move(script)) {}

SettingsScriptPlayer::~SettingsScriptPlayer() { Stop(); }

void SettingsScriptPlayer::Start() {
  gPlayer = this;
  mTimer = SetTimer(nullptr, 0, kTickMs, &OnTimer);
}

void SettingsScriptPlayer::Stop() {
  if (mTimer) KillTimer(nullptr, mTimer);
  mTimer = 0;
  if (gPlayer == this) gPlayer = nullptr;
}

void SettingsScriptPlayer::Fail(const std::string& reason) {
  if (!mFailure.empty()) return;
  const SettingsStep* const step = mNext > 0 ? &mScript.steps[mNext - 1] : nullptr;
  mFailure = step ? DescribeStep(mScript, *step) + ": " + reason : host::Utf8FromWide(mScript.name) + ": " + reason;
}

// Any other dialog box of the thread blocks the settings dialog (the invalid-settings dialog
// after OK or a page change, a message box): the step that opened it has failed, the box is
// closed and the settings dialog cancelled.
void SettingsScriptPlayer::Tick() {
  HWND const dialog = FindSettingsDialog();
  for (HWND other : ThreadDialogs()) {
    if (other == dialog) continue;
    std::vector<HWND> parts;
    Descendants(other, parts);
    std::wstring said;
    for (HWND part : parts) {
      const LONG type = GetWindowLongW(part, GWL_STYLE) & SS_TYPEMASK;
      if (IsClass(part, L"Static") && type != SS_BITMAP && type != SS_ICON && !TextOf(part).empty())
        said += (said.empty() ? L"" : L" ") + TextOf(part);
    }
    Fail(said.find(L"settings are invalid") != std::wstring::npos
             ? "the settings are invalid (the invalid-settings dialog opened)"
             : "a window " + Quoted(TextOf(other)) + " opened: " + host::Utf8FromWide(said));
    PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (mInStep || mEnded || !dialog) return;
  if (!mFailure.empty() || mNext >= mScript.steps.size()) {
    if (mFailure.empty()) Fail("the script ends while the settings dialog is open");
    mEnded = true;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  const SettingsStep& step = mScript.steps[mNext++];
  std::string reason;
  mInStep = true;
  const bool done = Play(dialog, step, reason);
  mInStep = false;
  if (!done) Fail(reason);
  if (step.kind == StepKind::Ok || step.kind == StepKind::Cancel) mEnded = mFailure.empty();
}

bool SettingsScriptPlayer::Play(HWND dialog, const SettingsStep& step, std::string& reason) {
  switch (step.kind) {
    case StepKind::Tab: return ClickTab(dialog, step.target, reason);
    case StepKind::Type: return ChooseEntry(dialog, L"Analysis type", step.target, reason);
    case StepKind::Source: return ChooseEntry(dialog, L"Source", step.target, reason);
    case StepKind::Enter: return EnterText(dialog, step.target, step.text, reason);
    case StepKind::Click: return ClickButton(dialog, step.target, reason);
    case StepKind::Spin: return Spin(dialog, step.target, step.count, reason);
    case StepKind::Choose: return ChooseEntry(dialog, step.target, step.text, reason);
    case StepKind::Hover: return Hover(dialog, step.target, reason);
    case StepKind::Screenshot: return Screenshot(dialog, mScript, step.target, reason);
    case StepKind::Ok: return ClickButton(dialog, L"OK", reason);
    case StepKind::Cancel: return ClickButton(dialog, L"Cancel", reason);
  }
  return false;
}

namespace {

int PrintFailure(const std::string& line, int status) {
  host::PrintMessageLine(line);
  return status;
}

}  // namespace

int RunSettingsDialogScript(IUnknown* document, const std::wstring& path) {
  const wchar_t* const kClass = L"Ondara Document";
  const wchar_t* const kCommand = L"Ondara|Settings...";
  if (path == L"-") {
    const HRESULT hr = host::RunMenuCommand(document, kClass, kCommand);
    return FAILED(hr) ? PrintFailure("the settings dialog could not be opened", 1) : 0;
  }
  SettingsScript script;
  std::string error;
  if (!ReadSettingsScript(path, script, error)) return PrintFailure(error, 2);
  SettingsScriptPlayer player(std::move(script));
  player.Start();
  const HRESULT hr = host::RunMenuCommand(document, kClass, kCommand);
  player.Stop();
  if (!player.Failure().empty()) return PrintFailure(player.Failure(), 2);
  if (FAILED(hr) || player.Played() == 0) return PrintFailure("the settings dialog could not be opened", 1);
  return 0;
}

}  // namespace ondara_host
