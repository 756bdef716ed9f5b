// The table of the host executable's commands. A new command lives in its own
// file under host/app/ and adds its declaration and one row here.
#include "host/app/HostCommand.h"

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

}  // namespace ondara_host
