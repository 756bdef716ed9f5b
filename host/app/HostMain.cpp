// ondara-host.exe: the stand-in host; runs the command named by its first argument.
#include "host/app/HostCommand.h"
#include "host/common/MessageText.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

int main() {
  int argc = 0;
  wchar_t** const argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 2;
  std::size_t count = 0;
  const ondara_host::HostCommand* const commands = ondara_host::HostCommands(count);
  int result = 2;
  const ondara_host::HostCommand* chosen = nullptr;
  for (std::size_t i = 0; argc >= 2 && i < count; ++i) {
    if (std::wcscmp(argv[1], commands[i].name) == 0) chosen = &commands[i];
  }
  if (chosen) {
    result = chosen->run(argc - 2, argv + 2);
  } else {
    host::PrintMessageLine("usage: ondara-host <command> [arguments]");
    for (std::size_t i = 0; i < count; ++i)
      host::PrintMessageLine("  " + host::Utf8FromWide(commands[i].name) + "  " + host::Utf8FromWide(commands[i].summary));
  }
  LocalFree(argv);
  return result;
}
