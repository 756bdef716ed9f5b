// ondara-host.exe run as a separate process beside the test program, and the recordings given to it.
#include "tests/support/HostProcess.h"

#include "host/app/HostFramework.h"
#include "tests/support/CardiacSignal.h"

#include <cstdio>
#include <vector>

namespace testsupport {

bool RunHost(const std::wstring& arguments, RunResult& result) {
  const std::wstring exe = ondara_host::PathBesideExecutable(L"ondara-host.exe");
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
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return false;
  }
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) result.output.append(buffer, got);
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &result.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(readEnd);
  return true;
}

bool HostBuilt() {
  return GetFileAttributesW(ondara_host::PathBesideExecutable(L"ondara-host.exe").c_str()) !=
         INVALID_FILE_ATTRIBUTES;
}

std::wstring WriteCardiacRecording() {
  wchar_t directory[MAX_PATH];
  wchar_t path[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, directory) || !GetTempFileNameW(directory, L"ond", 0, path)) return L"";
  FILE* file = _wfopen(path, L"wb");
  if (!file) return L"";
  std::fputs("Time [s],Vm [V]", file);
  const std::vector<float> signal = testsupport::CardiacSignal(5000);
  for (int record = 0; record < 2; ++record) {
    if (record > 0) std::fputs("\n", file);
    for (size_t i = 0; i < signal.size(); ++i) std::fprintf(file, "\n%.3f,%.6f", i / 1000.0, signal[i]);
  }
  std::fclose(file);
  return path;
}

}  // namespace testsupport
