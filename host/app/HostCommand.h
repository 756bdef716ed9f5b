// The host executable's commands: one function per command, listed in the command table.
#pragma once

#include <cstddef>

namespace ondara_host {

// Runs a command with the arguments after its name; returns the process exit code.
using CommandFn = int (*)(int argc, wchar_t** argv);

struct HostCommand {
  const wchar_t* name;
  const wchar_t* summary;
  CommandFn run;
};

// The command table (CommandTable.cpp).
const HostCommand* HostCommands(std::size_t& count) noexcept;

// Runs the command named by argv[1] with the arguments after it; without one, or with --help,
// prints the usage and the commands (status 2 for no command or an unknown one, 0 for --help).
// The process exit code.
int RunHostCommandLine(int argc, wchar_t** argv);

}  // namespace ondara_host
