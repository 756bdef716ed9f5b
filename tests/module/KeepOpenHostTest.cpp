// The stand-in host started as a user starts it, with its Analysis View kept open: keys pressed
// and the thumb clicked where it lies, the frame closed, the host's status read.
#include "host/app/HostFramework.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

// The bundled ECG, as scripts/run analyses it: its R waves as cardiac peaks.
std::wstring EcgArguments() {
  return L"analyze --recording \"" + testsupport::SourcePathW("data/ecg_mitbih100_mlii.csv") +
         L"\" --type 1 --set 1006=0.0005 --set 1001=10 --set 1036=f";
}

class HostSession {
 public:
  explicit HostSession(const std::wstring& arguments) {
    const std::wstring exe = ondara_host::PathBesideExecutable(L"ondara-host.exe");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    // What the host prints is not read here: it goes nowhere, so that no full pipe stops it.
    mNowhere = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = mNowhere;
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    mStarted = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                              &mProcess) != FALSE;
  }
  ~HostSession() {
    if (mStarted && WaitForSingleObject(mProcess.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(mProcess.hProcess, 99);
    if (mStarted) {
      CloseHandle(mProcess.hThread);
      CloseHandle(mProcess.hProcess);
    }
    if (mNowhere != INVALID_HANDLE_VALUE) CloseHandle(mNowhere);
  }
  bool Started() const { return mStarted; }

  // Waits, while the host runs, until done answers true: the host works on its own time.
  bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = 60000) const {
    for (DWORD waited = 0; waited < milliseconds; waited += 20) {
      if (done()) return true;
      if (WaitForSingleObject(mProcess.hProcess, 20) == WAIT_OBJECT_0) return done();
    }
    return false;
  }
  // The host's exit status once it ended by itself; STILL_ACTIVE when it did not.
  DWORD ExitStatus(DWORD milliseconds = 30000) const {
    DWORD status = STILL_ACTIVE;
    if (WaitForSingleObject(mProcess.hProcess, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(mProcess.hProcess, &status);
    return status;
  }
  // The host's visible top-level window of a class, or null.
  HWND TopWindow(const wchar_t* className) const {
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window;
         window = FindWindowExW(nullptr, window, className, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      if (process == mProcess.dwProcessId && IsWindowVisible(window)) return window;
    }
    return nullptr;
  }

 private:
  HANDLE mNowhere = INVALID_HANDLE_VALUE;
  PROCESS_INFORMATION mProcess{};
  bool mStarted = false;
};

// The Analysis View's event bar: every event owns one page of its range.
struct EventBar {
  HWND bar = nullptr;
  SCROLLINFO Info() const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(bar, SB_CTL, &info)) info.nPage = 0;
    return info;
  }
  int32_t Page() const { return static_cast<int32_t>(Info().nPage); }
  int32_t Events() const {
    const SCROLLINFO info = Info();
    return info.nPage > 0 ? info.nMax / static_cast<int32_t>(info.nPage) : 0;
  }
  int32_t Current() const {
    const SCROLLINFO info = Info();
    return info.nPage > 0 ? info.nPos / static_cast<int32_t>(info.nPage) : -1;
  }
};

void PressKey(WORD key, WORD held = 0) {
  INPUT keys[4]{};
  UINT count = 0;
  const auto add = [&](WORD k, DWORD flags) {
    keys[count].type = INPUT_KEYBOARD;
    keys[count].ki.wVk = k;
    keys[count++].ki.dwFlags = flags;
  };
  if (held) add(held, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (held) add(held, KEYEVENTF_KEYUP);
  SendInput(count, keys, sizeof(INPUT));
}

// A press and release of the left button on the window under a screen point, in that window's
// client coordinates, when that window is the one meant. Posted to it rather than sent as input:
// input moves the display's pointer, and the display reports a move back to the host whenever it
// gets to it, under load between the press and the release, where the bar takes it for a drag.
// Posted messages come before input, so the keys pressed next follow the release.
bool ClickAt(POINT screen, HWND meant) {
  HWND const under = WindowFromPoint(screen);
  if (under != meant) return false;
  POINT client = screen;
  ScreenToClient(under, &client);
  const LPARAM at = MAKELPARAM(client.x, client.y);
  return PostMessageW(under, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageW(under, WM_LBUTTONUP, 0, at);
}

// The middle of a horizontal bar's thumb, laid out as the control lays it out: the thumb's length
// is its page's share of the track (6 pixels at least) and it moves over what the track has left.
POINT ThumbMiddle(const EventBar& events) {
  const SCROLLINFO info = events.Info();
  RECT client{};
  GetClientRect(events.bar, &client);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  const int track = client.right - 2 * arrow;
  const int thumb = std::max(MulDiv(track, static_cast<int>(info.nPage), info.nMax - info.nMin + 1), 6);
  const int last = info.nMax - static_cast<int>(info.nPage) + 1;
  const int start = arrow + MulDiv(track - thumb, info.nPos - info.nMin, std::max(last - info.nMin, 1));
  POINT middle{start + thumb / 2, client.bottom / 2};
  ClientToScreen(events.bar, &middle);
  return middle;
}

}  // namespace

TEST(KeepOpenHost, KeysStepTheAnalysisViewAThumbClickKeepsItsEventAndClosingTheFrameEndsTheHost) {
  HostSession host(EcgArguments() + L" --show analysis --keep-open");
  ASSERT_TRUE(host.Started());
  HWND frame = nullptr;
  EventBar events;
  ASSERT_TRUE(host.WaitUntil([&] {
    frame = host.TopWindow(L"OndaraHostViewFrame");
    HWND const view = frame ? FindWindowExW(GetWindow(frame, GW_CHILD), nullptr, L"QOR::Ondara View", nullptr) : nullptr;
    events.bar = view ? FindWindowExW(view, nullptr, L"ScrollBar", nullptr) : nullptr;
    return events.bar && IsWindowEnabled(events.bar) && events.Page() > 0;
  })) << "the Analysis View opened with its events";
  const int32_t count = events.Events();
  ASSERT_GT(count, 20);
  SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(frame);
  ASSERT_TRUE(host.WaitUntil([&] { return GetForegroundWindow() == frame; }));
  const auto pressed = [&](WORD key, int32_t expected) {
    PressKey(key);
    return host.WaitUntil([&] { return events.Current() == expected; }, 10000);
  };
  EXPECT_TRUE(pressed(VK_RIGHT, 1));
  EXPECT_TRUE(pressed(VK_NEXT, 3));
  EXPECT_TRUE(pressed(VK_END, count - 1));
  EXPECT_TRUE(pressed(VK_PRIOR, count - 3));
  EXPECT_TRUE(pressed(VK_LEFT, count - 4));
  EXPECT_TRUE(pressed(VK_HOME, 0));
  // A click on the thumb names no event: the next Right steps on from the event it was on.
  for (int32_t event = 1; event <= 16; ++event) {
    ASSERT_TRUE(pressed(VK_RIGHT, event));
    ASSERT_TRUE(ClickAt(ThumbMiddle(events), events.bar)) << "the thumb of event " << event << " is under nothing else";
    EXPECT_TRUE(pressed(VK_RIGHT, event + 1)) << "the thumb clicked on event " << event << ", now on "
                                              << events.Current();
    ASSERT_TRUE(pressed(VK_LEFT, event));
  }
  PressKey(VK_F4, VK_MENU);
  EXPECT_EQ(0u, host.ExitStatus()) << "the host ends by itself when its last view closes";
}
