// The files of an analyze run: its outputs checked against where they go, against its inputs and
// against each other, and those it did not come to write.
#include "host/app/RunFiles.h"

#include "host/app/AnalyzeInputs.h"
#include "host/app/SettingsScript.h"
#include "host/common/MessageText.h"
#include "host/common/SameFile.h"

#include <windows.h>

#include <cwchar>
#include <filesystem>

namespace ondara_host {

namespace {

constexpr wchar_t kDocuments[] = L"--documents";
constexpr wchar_t kScreenshot[] = L"--screenshot";
constexpr wchar_t kScriptScreenshot[] = L"screenshot";
constexpr wchar_t kPreview[] = L"--print-preview";

std::string Utf8(const std::wstring& text) { return host::Utf8FromWide(text); }

// How the refusal of an output begins: what cannot be done there.
std::string CannotWrite(const wchar_t* option) {
  if (std::wcscmp(option, kDocuments) == 0) return "the analysis document cannot be saved there";
  if (std::wcscmp(option, kScriptScreenshot) == 0) return "the settings script's screenshot cannot write there";
  return Utf8(option) + " cannot write there";
}

// An output as the refusal of another names it.
std::string OutputName(const wchar_t* option) {
  if (std::wcscmp(option, kScriptScreenshot) == 0) return "a screenshot of the settings script";
  return Utf8(option);
}

// The last name of a path.
std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/:") + 1); }

// " (path)" when path is spelled otherwise than as, else nothing.
std::string SpelledOtherwise(const std::wstring& path, const std::wstring& as) {
  return path == as ? std::string() : " (" + Utf8(path) + ")";
}

// The pictures the settings script's screenshot steps write, as they write them: relative to its
// folder. None when it does not read; playing it says why.
std::vector<std::wstring> ScriptPictures(const std::wstring& path) {
  SettingsScript script;
  std::string unread;
  std::vector<std::wstring> pictures;
  if (path.empty() || path == L"-" || !ReadSettingsScript(path, script, unread)) return pictures;
  for (const SettingsStep& step : script.steps) {
    if (step.kind != StepKind::Screenshot) continue;
    const std::filesystem::path picture(step.target);
    pictures.push_back(picture.is_relative() ? (std::filesystem::path(script.folder) / picture).wstring()
                                             : step.target);
  }
  return pictures;
}

}  // namespace

RunFiles::RunFiles(const AnalyzeArguments& args) : mViews(args.show.views) {
  const std::pair<const wchar_t*, const std::wstring*> files[] = {{kDocuments, &args.documents},
                                                                   {L"--copy", &args.show.copyFile},
                                                                   {L"--data-pad", &args.show.dataPadFile},
                                                                   {L"--calc-csv", &args.calc.csvFile}};
  for (const auto& [option, path] : files)
    if (!path->empty()) mOutputs.push_back({option, *path, false, false});
  const std::pair<const wchar_t*, const std::wstring*> folders[] = {{kScreenshot, &args.show.pictureFolder},
                                                                     {kPreview, &args.show.previewFolder}};
  for (const auto& [option, path] : folders)
    if (!path->empty()) mOutputs.push_back({option, *path, true, false});
  // Written while the script plays, into folders it makes: only what they overwrite is checked.
  for (const std::wstring& picture : ScriptPictures(args.settingsScript))
    mOutputs.push_back({kScriptScreenshot, picture, false, true});
  mInputs.push_back({args.recording, "the recording", false});
  if (!args.documents.empty()) mInputs.push_back({args.documents, "the documents file", true});
  if (!args.settingsScript.empty() && args.settingsScript != L"-")
    mInputs.push_back({args.settingsScript, "the settings script", false});
}

std::vector<std::wstring> RunFiles::PicturesIn(const Output& output) const {
  std::vector<std::wstring> pictures;
  const std::wstring folder = output.path + L"\\";
  for (const std::wstring& view : mViews) {
    if (std::wcscmp(output.option, kScreenshot) == 0) {
      pictures.push_back(folder + view + L"-view.png");
      continue;
    }
    // The pages a preview writes are numbered from 1 on: those already there are the ones it may
    // overwrite.
    WIN32_FIND_DATAW found{};
    HANDLE const search = FindFirstFileW((folder + view + L"-page-*.png").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do pictures.push_back(folder + found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return pictures;
}

bool RunFiles::PageName(const std::wstring& name) const {
  constexpr wchar_t kPage[] = L"-page-";
  constexpr wchar_t kPng[] = L".png";
  for (const std::wstring& view : mViews) {
    const std::wstring start = view + kPage;
    if (name.size() <= start.size() + 4 || _wcsnicmp(name.c_str(), start.c_str(), start.size()) != 0 ||
        _wcsicmp(name.c_str() + name.size() - 4, kPng) != 0)
      continue;
    const std::wstring number = name.substr(start.size(), name.size() - start.size() - 4);
    if (number.find_first_not_of(L"0123456789") == std::wstring::npos) return true;
  }
  return false;
}

std::wstring RunFiles::PictureAt(const Output& folder, const std::wstring& file) const {
  std::vector<std::wstring> pictures = PicturesIn(folder);
  // Pages not yet written are named after the file.
  const std::wstring name = FileName(file);
  if (std::wcscmp(folder.option, kPreview) == 0 && PageName(name)) pictures.push_back(folder.path + L"\\" + name);
  for (const std::wstring& picture : pictures)
    if (host::NameOneFile(picture, file)) return picture;
  return std::wstring();
}

std::string RunFiles::OutputOverwritten(size_t index) const {
  const Output& output = mOutputs[index];
  const bool byScript = std::wcscmp(output.option, kScriptScreenshot) == 0;
  const char* const instead = output.folder ? ": choose another folder" : ": choose another name";
  for (size_t i = 0; i < index; ++i) {
    const Output& other = mOutputs[i];
    // A script may take one screenshot over another; screenshots and pages are named apart.
    if ((byScript && std::wcscmp(other.option, kScriptScreenshot) == 0) || (output.folder && other.folder)) continue;
    const std::string also = "also " + OutputName(other.option) + SpelledOtherwise(other.path, output.path);
    if (host::NameOneFile(output.path, other.path)) return "it is " + also + instead;
    if (output.folder == other.folder) continue;
    const std::wstring picture = output.folder ? PictureAt(output, other.path) : PictureAt(other, output.path);
    if (picture.empty()) continue;
    const std::string name = Utf8(FileName(picture));
    if (output.folder) return "its picture " + name + " is " + also + instead;
    return "it is also the picture " + name + " of " + Utf8(other.option) + instead;
  }
  return std::string();
}

std::string RunFiles::InputOverwritten(const Output& output) const {
  const std::vector<std::wstring> files = output.folder ? PicturesIn(output) : std::vector<std::wstring>{output.path};
  for (const std::wstring& file : files)
    for (const Input& input : mInputs) {
      // The documents file is read and then saved over: it is the one input an output may be.
      if (input.documents && std::wcscmp(output.option, kDocuments) == 0) continue;
      if (!host::SameFile(file, input.path)) continue;
      const std::string named = input.path == file ? "" : " (" + Utf8(input.path) + ")";
      if (!output.folder) return "it is " + std::string(input.what) + named + ": choose another name";
      return "its picture " + Utf8(file.substr(output.path.size() + 1)) + " would overwrite " + input.what + named +
             ": choose another folder";
    }
  return std::string();
}

std::string RunFiles::Refusal() const {
  for (size_t index = 0; index < mOutputs.size(); ++index) {
    const Output& output = mOutputs[index];
    std::string problem = InputOverwritten(output);
    if (problem.empty()) problem = OutputOverwritten(index);
    const bool byScript = std::wcscmp(output.option, kScriptScreenshot) == 0;
    if (problem.empty() && !byScript)
      problem = output.folder ? OutputFolderProblem(output.path) : OutputFileProblem(output.path);
    if (!problem.empty()) return Utf8(output.path) + ": " + CannotWrite(output.option) + ": " + problem;
  }
  return std::string();
}

void RunFiles::Taken(const wchar_t* option) {
  for (Output& output : mOutputs)
    if (std::wcscmp(output.option, option) == 0) output.taken = true;
}

std::string RunFiles::UntakenLine() const {
  std::string line;
  for (const Output& output : mOutputs)
    if (!output.taken) line += (line.empty() ? "not written: " : ", ") + Utf8(output.option) + " " + Utf8(output.path);
  return line;
}

}  // namespace ondara_host
