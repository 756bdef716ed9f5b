// ondara-host.exe as a process: it starts, registers the framework, loads the module and reports the registry.
#include "host/app/HostFramework.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RunResult {
  DWORD exitCode = 0;
  std::string output;
};

// Runs the host executable beside this test program with arguments, collecting stdout.
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

TEST(HostExecutable, ClassesListsWhatTheModuleRegistered) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  RunResult run;
  ASSERT_TRUE(RunHost(L"classes", run));
  EXPECT_EQ(0u, run.exitCode) << run.output;
  EXPECT_EQ(0u, run.output.find("class objects: ")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("message classes: ")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("self tests: ")) << run.output;
}

TEST(HostExecutable, UnknownCommandOrMissingModuleFails) {
  ASSERT_TRUE(HostBuilt()) << "ondara-host.exe is not beside the test program";
  RunResult usage;
  ASSERT_TRUE(RunHost(L"no-such-command", usage));
  EXPECT_EQ(2u, usage.exitCode);
  EXPECT_NE(std::string::npos, usage.output.find("classes")) << usage.output;
  RunResult missing;
  ASSERT_TRUE(RunHost(L"classes C:\\no\\such\\module.dll", missing));
  EXPECT_EQ(1u, missing.exitCode) << missing.output;
}

}  // namespace
