// ondara-host.exe: the stand-in host; runs the command named by its first argument.
#include "host/app/HostCommand.h"

#include <windows.h>
#include <shellapi.h>

int main() {
  int argc = 0;
  wchar_t** const argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 2;
  const int result = ondara_host::RunHostCommandLine(argc, argv);
  LocalFree(argv);
  return result;
}
