// The date epochs, from the system's own calendar conversion.
#include "base/DateEpochs.h"

namespace QOR {

namespace {

DateEpochs gEpochs;
bool gFilled = false;

FILETIME Midnight(WORD year, WORD month, WORD day) noexcept {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  return file;
}

uint64_t Ticks(const FILETIME& file) noexcept {
  return (static_cast<uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

}  // namespace

void InitDateEpochs() noexcept {
  if (gFilled) return;
  gEpochs.unix1970 = Midnight(1970, 1, 1);
  gEpochs.automation1899 = Midnight(1899, 12, 30);
  // FILETIME counts 100-nanosecond steps.
  gEpochs.secondsFrom1899To1970 =
      static_cast<double>(Ticks(gEpochs.unix1970) - Ticks(gEpochs.automation1899)) / 1e7;
  gFilled = true;
}

const DateEpochs& GetDateEpochs() noexcept {
  InitDateEpochs();
  return gEpochs;
}

}  // namespace QOR
