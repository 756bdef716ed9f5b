// ondara-host.exe run as a separate process beside the test program, and the recordings given to it.
#include "tests/support/HostProcess.h"

#include "host/app/HostFramework.h"
#include "tests/support/CardiacSignal.h"

#include <cstdio>
#include <cwchar>
#include <sstream>
#include <vector>

namespace testsupport {

namespace {

// Wine tells no hook of this program about another program's windows: a window awaited is looked
// for this often until it shows or the host ends (the outcome never depends on the interval).
constexpr DWORD kLookEveryMs = 20;

// Starts the host with its output and errors going into one pipe, whose reading end output gets.
bool StartProcess(const std::wstring& arguments, PROCESS_INFORMATION& process, HANDLE& output,
                  const std::wstring& path) {
  const std::wstring exe = path.empty() ? ondara_host::PathBesideExecutable(L"ondara-host.exe") : path;
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  const BOOL started = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return false;
  }
  output = readEnd;
  return true;
}

// What a search for another program's shown window looks for, and finds.
struct WindowSearch {
  DWORD process;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK NoteWindow(HWND window, LPARAM search) noexcept {
  auto& wanted = *reinterpret_cast<WindowSearch*>(search);
  DWORD owner = 0;
  wchar_t text[128] = {};
  GetWindowThreadProcessId(window, &owner);
  GetWindowTextW(window, text, 128);
  if (owner != wanted.process || !IsWindowVisible(window) || std::wcscmp(text, wanted.caption) != 0) return TRUE;
  wanted.found = window;
  return FALSE;
}

}  // namespace

bool RunHost(const std::wstring& arguments, RunResult& result, const std::wstring& exe) {
  StartedHost host;
  if (!host.Start(arguments, exe)) return false;
  host.Finish(result);
  return true;
}

StartedHost::~StartedHost() {
  if (mProcess.hProcess) {
    TerminateProcess(mProcess.hProcess, 1);  // a host still running: the test ended early
    CloseHandle(mProcess.hThread);
    CloseHandle(mProcess.hProcess);
  }
  if (mOutput) CloseHandle(mOutput);
}

bool StartedHost::Start(const std::wstring& arguments, const std::wstring& exe) {
  return StartProcess(arguments, mProcess, mOutput, exe);
}

DWORD StartedHost::Unread() const {
  DWORD available = 0;
  PeekNamedPipe(mOutput, nullptr, 0, nullptr, &available, nullptr);
  return available;
}

bool StartedHost::WaitForWindow(const wchar_t* caption, HWND& window) {
  WindowSearch search{mProcess.dwProcessId, caption, nullptr};
  bool ended = false;
  while (!search.found && !ended) {
    // Ended or not, the host's windows are looked at once more after the wait.
    ended = WaitForSingleObject(mProcess.hProcess, kLookEveryMs) == WAIT_OBJECT_0;
    EnumWindows(&NoteWindow, reinterpret_cast<LPARAM>(&search));
  }
  window = search.found;
  return window != nullptr;
}

void StartedHost::Finish(RunResult& result) {
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(mOutput, buffer, sizeof(buffer), &got, nullptr) && got > 0) result.output.append(buffer, got);
  WaitForSingleObject(mProcess.hProcess, INFINITE);
  GetExitCodeProcess(mProcess.hProcess, &result.exitCode);
}

bool HostBuilt() {
  return GetFileAttributesW(ondara_host::PathBesideExecutable(L"ondara-host.exe").c_str()) !=
         INVALID_FILE_ATTRIBUTES;
}

std::wstring WriteTempText(const std::string& text) {
  wchar_t directory[MAX_PATH];
  wchar_t path[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, directory) || !GetTempFileNameW(directory, L"ond", 0, path)) return L"";
  FILE* file = _wfopen(path, L"wb");
  if (!file) return L"";
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written ? path : L"";
}

std::wstring WriteCardiacRecording() {
  std::string text = "Time [s],Vm [V]";
  const std::vector<float> signal = testsupport::CardiacSignal(5000);
  char line[64];
  for (int record = 0; record < 2; ++record) {
    if (record > 0) text += "\n";
    for (size_t i = 0; i < signal.size(); ++i) {
      std::snprintf(line, sizeof(line), "\n%.3f,%.6f", i / 1000.0, signal[i]);
      text += line;
    }
  }
  return WriteTempText(text);
}

std::vector<std::vector<std::string>> TabCells(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.emplace_back();
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) rows.back().push_back(cell);
  }
  return rows;
}

}  // namespace testsupport
