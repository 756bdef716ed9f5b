// The one line a command prints when a recording does not fit in the process's memory.
#include "host/app/RecordingTooLarge.h"

#include "host/common/MessageText.h"

#include <windows.h>

#include <string>

namespace ondara_host {

namespace {

// " (N MB)" for the file's size rounded to whole megabytes; empty when the size cannot be read.
std::string FileSizeText(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file)) return {};
  const unsigned long long bytes = (static_cast<unsigned long long>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
  return " (" + std::to_string((bytes + (1u << 19)) >> 20) + " MB)";
}

}  // namespace

int ReportRecordingTooLarge(const std::wstring& recording) {
  std::string line = "the recording is too large for memory" + FileSizeText(recording);
  if (!recording.empty()) line = host::Utf8FromWide(recording) + ": " + line;
  host::PrintMessageLine(line);
  return 2;
}

}  // namespace ondara_host
