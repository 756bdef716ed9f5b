// ondara-host.exe run as a separate process beside the test program, and the recordings given to it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

struct RunResult {
  DWORD exitCode = 0;
  std::string output;  // standard output and standard error, as they came
};

// Runs the host executable beside this test program (or the one at exe) with arguments,
// collecting its output.
bool RunHost(const std::wstring& arguments, RunResult& result, const std::wstring& exe = {});
// ondara-host.exe started beside the test program with a pipe on its output, watched while it runs.
class StartedHost {
 public:
  StartedHost() = default;
  ~StartedHost();
  StartedHost(const StartedHost&) = delete;
  StartedHost& operator=(const StartedHost&) = delete;

  bool Start(const std::wstring& arguments, const std::wstring& exe = {});
  // Bytes the host has printed that nobody has read yet.
  DWORD Unread() const;
  // Waits until the host shows a top-level window with the caption (true) or ends first (false).
  bool WaitForWindow(const wchar_t* caption, HWND& window);
  // Reads the rest of the output and waits for the host's end.
  void Finish(RunResult& result);

 private:
  PROCESS_INFORMATION mProcess = {};
  HANDLE mOutput = nullptr;
};

// The cells of each line of a TAB-separated text the host printed (CR LF or LF line ends).
std::vector<std::vector<std::string>> TabCells(const std::string& text);
// Whether ondara-host.exe is beside the test program.
bool HostBuilt();
// text in a new temporary file, written as it is; its path, or empty when it cannot be written.
std::wstring WriteTempText(const std::string& text);
// Two records of the cardiac signal (four beats each at 1 kHz) in a temporary recording file;
// empty when it cannot be written.
std::wstring WriteCardiacRecording();

}  // namespace testsupport
