// ondara-host.exe run as a separate process beside the test program, and the recordings given to it.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

struct RunResult {
  DWORD exitCode = 0;
  std::string output;  // standard output and standard error, as they came
};

// Runs the host executable beside this test program with arguments, collecting its output.
bool RunHost(const std::wstring& arguments, RunResult& result);
// Whether ondara-host.exe is beside the test program.
bool HostBuilt();
// Two records of the cardiac signal (four beats each at 1 kHz) in a temporary recording file;
// empty when it cannot be written.
std::wstring WriteCardiacRecording();

}  // namespace testsupport
