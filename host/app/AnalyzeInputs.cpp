// The analyze command's inputs: names read, refusals worded, checks before analysing.
#include "host/app/AnalyzeInputs.h"

#include "host/app/AnalysisSettingIds.h"
#include "host/common/FileProblemWords.h"
#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "host/common/MessageText.h"
#include "host/cycles/DetectionTextProblem.h"
#include "host/data/ThousandsSeparators.h"
#include "host/formula/FormulaEnumerator.h"
#include "wholefile/ReplacingFile.h"

#include <windows.h>

#include <cmath>
#include <cwchar>

namespace ondara_host {

namespace {

// The analysis types by number, as the module's settings list them.
constexpr const wchar_t* kTypeNames[] = {L"General - Unstimulated", L"Cardiac Action Potential", L"Synaptic",
                                         L"Evoked Response",        L"Population Spike",         L"Action Potential"};
// The analysis channel setting counts from 0 up to 32: the last channel is 33.
constexpr long long kLastChannel = 33;

}  // namespace

const char kNoDisplayLine[] =
    "no display could be opened: the views and dialogs need one (scripts/run starts one with Xvfb; "
    "or set DISPLAY)";

int ParseType(const std::wstring& text) {
  wchar_t* end = nullptr;
  const long number = std::wcstol(text.c_str(), &end, 10);
  if (!text.empty() && *end == 0 && number >= 0 && number <= 5) return static_cast<int>(number);
  for (int type = 0; type < 6; ++type)
    if (_wcsicmp(text.c_str(), kTypeNames[type]) == 0) return type;
  return -1;
}

std::wstring DocumentSettingText(IDocumentSettingsScript* settings, int32_t id) {
  host::HostPtr<QOR::IQORString> text;
  if (FAILED(settings->GetSettingText(id, text.Out())) || !text) return std::wstring();
  return host::StringText(text.Get());
}

std::string SettingRefusal(IDocumentSettingsScript* settings, int32_t id, const std::wstring& value) {
  const std::wstring words = host::TakeErrorText();
  const std::string head = "setting " + std::to_string(id) + " = " + host::QuoteInput(value) + ": ";
  // The host's detector says which of its numbers is wrong; the document knows only that one is.
  const std::string detection = id == kCycleDetectionSetting ? host::DetectionTextProblem(value) : std::string();
  if (!detection.empty()) return head + detection;
  if (!words.empty()) return head + host::Utf8FromWide(words);
  host::HostPtr<QOR::IQORString> message;
  const HRESULT hr = settings->GetSettingErrorText(id, message.Out());
  if (hr == E_INVALIDARG) return "there is no setting " + std::to_string(id);
  if (hr == S_OK && message) return head + host::Utf8FromWide(host::StringText(message.Get()));
  return head + "the value is not accepted";
}

std::string UnknownTypeRefusal(const std::wstring& value) {
  std::string names;
  for (int type = 0; type < 6; ++type)
    names += (type == 0 ? "" : type == 5 ? " or " : ", ") + std::string("\"") + host::Utf8FromWide(kTypeNames[type]) +
             "\"";
  return "--type: " + host::QuoteInput(value) + " is not an analysis type: give " + names +
         " (any case), or its number 0 to 5 in that order";
}

std::string ChannelOptionRefusal(const std::wstring& value) {
  wchar_t* end = nullptr;
  const long long number = std::wcstoll(value.c_str(), &end, 10);
  const std::string head = "--channel: " + host::QuoteInput(value);
  if (value.empty() || *end != 0) return head + " is not a channel number";
  if (number < 1) return head + ": channels are counted from 1";
  if (number > kLastChannel) return head + ": the analysis channel is at most " + std::to_string(kLastChannel);
  return std::string();
}

namespace {

// What the letters after a rate's number multiply it by: a prefix, the unit or both (k, kHz,
// Hz); 0 for any other text.
double RateUnitScale(std::wstring letters) {
  while (!letters.empty() && letters.front() == L' ') letters.erase(0, 1);
  const size_t hertz = letters.size() >= 2 ? letters.size() - 2 : 0;
  if (letters.size() >= 2 && _wcsicmp(letters.c_str() + hertz, L"hz") == 0) letters.erase(hertz);
  if (letters.empty()) return 1.0;
  if (letters == L"k" || letters == L"K") return 1e3;
  return letters == L"M" ? 1e6 : 0.0;
}

}  // namespace

std::string RateOptionRefusal(const std::wstring& value) {
  wchar_t* end = nullptr;
  const double rate = std::wcstod(value.c_str(), &end);
  if (!value.empty() && *end == 0 && std::isfinite(rate) && rate > 0.0) return std::string();
  const std::string head = "--rate: " + host::QuoteInput(value) + " is not a sampling rate";
  const std::string utf8 = host::Utf8FromWide(value);
  const std::string plain = host::WithoutThousandsSeparators(utf8);
  if (!plain.empty()) return head + ": thousands separators are not read: write --rate " + plain;
  // "20,000": thousands. Its point form is not offered: "20.000" reads as 20 Hz.
  const std::string lone = host::WithoutThousandsSeparators(utf8, '.', true);
  if (!lone.empty())
    return head + ": thousands separators are not read, and the decimal separator is the point: write --rate " + lone;
  const double scale = end != value.c_str() && std::isfinite(rate) && rate > 0.0 ? RateUnitScale(end) : 0.0;
  if (scale > 0.0)
    return head + ": it is a plain number of samples per second: write --rate " + host::NumberText(rate * scale, 15);
  return head + ": it is a number of samples per second (Hz) greater than 0, e.g. --rate 20000";
}

std::string AnalysisChannelRefusal(IDocumentSettingsScript* settings, const ChannelSource& source, int32_t channels,
                                   int32_t* channel) {
  const std::wstring text = DocumentSettingText(settings, kChannelSetting);
  if (text.empty()) return std::string();
  *channel = static_cast<int32_t>(std::wcstol(text.c_str(), nullptr, 10));
  if (*channel < channels) return std::string();
  const std::string has = "the recording has " + std::to_string(channels) + (channels == 1 ? " channel" : " channels");
  if (source.setValue)
    return "setting 2001 = " + host::QuoteInput(*source.setValue) + ": " + has +
           " (setting 2001 counts channels from 0)";
  if (source.option) return "--channel " + std::to_string(*channel + 1) + ": " + has;
  return host::Utf8FromWide(source.documents) + ": the analysis document could not be opened: its analysis " +
         "channel is " + std::to_string(*channel + 1) + " (setting 2001 holds " + std::to_string(*channel) +
         "), but " + has;
}

namespace {

// Whether path's folder takes a new file beside it: empty when so, else the words why not.
std::string NewFileProblem(const std::wstring& path) {
  const DWORD error = WholeFile::FileBesideProblem(path);
  if (error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) return "its folder does not exist";
  if (error == ERROR_ACCESS_DENIED) return "its folder may not be written (access is denied)";
  return error == ERROR_SUCCESS ? std::string() : host::FileProblemWords(path, error);
}

}  // namespace

std::string OutputFileProblem(const std::wstring& path) {
  if (!host::ReservedDeviceName(path).empty()) return host::FileProblemWords(path, ERROR_INVALID_NAME);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return "it is a folder";
  // The file is written beside path and renamed over it: the folder must take a new file, and an
  // existing file must be one that may be written. path itself is neither made nor changed.
  const std::string folderProblem = NewFileProblem(path);
  if (!folderProblem.empty() || attributes == INVALID_FILE_ATTRIBUTES) return folderProblem;
  // Windows refuses to replace it; Wine lets root do so.
  if (attributes & FILE_ATTRIBUTE_READONLY) return host::FileProblemWords(path, ERROR_ACCESS_DENIED);
  // Replacing it takes the right to remove it, which a reader that does not share it refuses.
  HANDLE const file = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return host::FileProblemWords(path, GetLastError());
  CloseHandle(file);
  return std::string();
}

std::string OutputFolderProblem(const std::wstring& path) {
  if (!host::ReservedDeviceName(path).empty()) return host::FileProblemWords(path, ERROR_INVALID_NAME);
  std::wstring folder = path;
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return "it is a file";
    return NewFileProblem(folder + L"\\picture.png");  // a new file there; no file of that name is looked at
  }
  const size_t slash = folder.find_last_of(L"\\/");
  if (slash != std::wstring::npos) {
    const DWORD above = GetFileAttributesW(folder.substr(0, slash + 1).c_str());
    if (above == INVALID_FILE_ATTRIBUTES || !(above & FILE_ATTRIBUTE_DIRECTORY)) return "its folder does not exist";
  }
  // Made and removed again: the run makes it once it has pictures to write.
  if (!CreateDirectoryW(folder.c_str(), nullptr))
    return "the folder could not be made: " + host::FileProblemWords(folder, GetLastError());
  RemoveDirectoryW(folder.c_str());
  return std::string();
}

bool DisplayOpens() {
  HWND const window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  if (!window) return false;
  DestroyWindow(window);
  return true;
}

}  // namespace ondara_host
