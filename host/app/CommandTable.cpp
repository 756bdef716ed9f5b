// The table of the host executable's commands, and the command line's dispatch to them. A new
// command lives in its own file under host/app/ and adds its declaration and one row here.
#include "host/app/HostCommand.h"

#include "host/common/MessageText.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace ondara_host {

int RunAnalyzeCommand(int argc, wchar_t** argv);
int RunClassesCommand(int argc, wchar_t** argv);
int RunEventsCommand(int argc, wchar_t** argv);
int RunSelfChecksCommand(int argc, wchar_t** argv);

namespace {

const HostCommand kCommands[] = {
    {L"analyze", L"open a recording, give the analysis document its settings and run \"ZR_Analyze\"",
     &RunAnalyzeCommand},
    {L"classes", L"load the module and list what the framework has registered",
     &RunClassesCommand},
    {L"events", L"run a formula over a recording or a signal and print its events",
     &RunEventsCommand},
    {L"selfchecks", L"load the module, then list (--list) or run its self-checks and print each result",
     &RunSelfChecksCommand},
};

}  // namespace

const HostCommand* HostCommands(std::size_t& count) noexcept {
  count = sizeof(kCommands) / sizeof(kCommands[0]);
  return kCommands;
}

int RunHostCommandLine(int argc, wchar_t** argv) {
  std::size_t count = 0;
  const HostCommand* const commands = HostCommands(count);
  for (std::size_t i = 0; argc >= 2 && i < count; ++i)
    if (std::wcscmp(argv[1], commands[i].name) == 0) return commands[i].run(argc - 2, argv + 2);
  const bool help = argc >= 2 && (std::wcscmp(argv[1], L"--help") == 0 || std::wcscmp(argv[1], L"-h") == 0);
  std::FILE* const stream = help ? stdout : stderr;
  std::fputs("usage: ondara-host <command> [arguments]\n", stream);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string line =
        "  " + host::Utf8FromWide(commands[i].name) + "  " + host::Utf8FromWide(commands[i].summary) + "\n";
    std::fputs(line.c_str(), stream);
  }
  return help ? 0 : 2;
}

}  // namespace ondara_host
