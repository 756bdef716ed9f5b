// A write ended by a kill: killed-export.exe TARGET EVENT writes part of a file beside TARGET
// through the writer, sets the named event and waits there until it is ended.
#include "wholefile/ReplacingFile.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

int main() {
  int argc = 0;
  wchar_t** const argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 3) return 2;
  HANDLE const written = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  if (!written) return 2;
  WholeFile::WriteReplacing(argv[1], [written](WholeFile::ReplacingFile& out) {
    out.Write(std::string(100000, 'x'));
    SetEvent(written);
    Sleep(INFINITE);
    return S_OK;
  });
  return 1;  // not reached: the test ends it mid-write
}
