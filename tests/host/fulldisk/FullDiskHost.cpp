// The host executable on a disk with little room left: fulldisk-host.exe ROOM COMMAND ARGUMENTS
// runs the host's command as ondara-host.exe does, its files getting ROOM bytes in all.
#include "host/app/HostCommand.h"
#include "wholefile/DiskRoomForTests.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int main() {
  int argc = 0;
  wchar_t** const argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  WholeFile::SetDiskRoomForTests(std::wcstoull(argv[1], nullptr, 10));
  argv[1] = argv[0];  // the room taken, the command line reads as the host's own
  const int result = ondara_host::RunHostCommandLine(argc - 1, argv + 1);
  LocalFree(argv);
  return result;
}
