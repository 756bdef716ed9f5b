// The documents-file part of an analyze run, in this process.
#include "bench/damage/DocumentsRun.h"

#include "host/app/AnalysisDocument.h"
#include "host/app/AnalyzeInputs.h"
#include "host/app/HostFramework.h"
#include "host/app/ModuleLoader.h"
#include "host/app/UnattendedMessageBoxes.h"
#include "host/common/MessageText.h"
#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/data/CustomDocuments.h"
#include "host/data/DocumentStreams.h"
#include "hostapi/DocumentSettings.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

namespace sweep {
namespace {

constexpr wchar_t kDocumentClass[] = L"Ondara Document";

std::vector<uint8_t> FileBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path.c_str(), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// What the message boxes of a run said: their lines go to a scratch file, read back after.
class BoxLines {
 public:
  BoxLines() : mFile(std::tmpfile()), mBoxes(mFile) {}
  ~BoxLines() {
    if (mFile) std::fclose(mFile);
  }
  BoxLines(const BoxLines&) = delete;
  BoxLines& operator=(const BoxLines&) = delete;
  std::string Text() {
    std::string text;
    if (!mFile) return text;
    std::fflush(mFile);
    std::rewind(mFile);
    for (int c; (c = std::fgetc(mFile)) != EOF;) text += static_cast<char>(c);
    return text;
  }

 private:
  FILE* mFile;
  host::UnattendedMessageBoxes mBoxes;
};

// The host's side of one run: the data file's documents over a fresh copy of the recording.
struct HostSide {
  host::HostPtr<host::DataDocument> data;
  host::HostPtr<host::HostDocument> document;
  ~HostSide() {
    if (document) document->CloseChildDocuments();
    if (data) data->SetFormulaClass(nullptr);
  }
};

std::vector<uint8_t> Failed(const std::string& step) {
  std::fprintf(stderr, "a documents file could not be made: %s failed\n", step.c_str());
  return {};
}

}  // namespace

bool DocumentsRun::Start(host::Recording recording, const std::wstring& scratchFolder) {
  mRecording = std::move(recording);
  mOpened = scratchFolder + L"\\damaged.documents";
  mSaved = scratchFolder + L"\\saved.documents";
  if (FAILED(ondara_host::EnsureHostFramework())) return false;
  if (FAILED(ondara_host::LoadAndRegisterModule(ondara_host::PathBesideExecutable(L"Ondara.dll").c_str()))) return false;
  return SUCCEEDED(host::RegisterFormulaEnumClassWithFramework(&mFormulaClass)) && mFormulaClass;
}

std::vector<uint8_t> DocumentsRun::MakeFile(const std::vector<std::pair<int32_t, std::wstring>>& settings) {
  HostSide side;
  side.data = host::DataDocument::Create(mRecording);
  side.data->SetFormulaClass(mFormulaClass.Get());
  side.document = host::HostDocument::Create(side.data);
  host::HostPtr<ICustomDocument2> document;
  if (FAILED(host::OpenCustomDocument(*side.document.Get(), kDocumentClass, 0, document))) return Failed("open");
  side.document->BroadcastDocumentsOpen();
  host::HostPtr<IDocumentSettingsScript> script;
  if (FAILED(document->QueryInterface(IID_IDocumentSettingsScript, reinterpret_cast<void**>(script.Out())))) return Failed("script");
  for (const auto& [id, text] : settings)
    if (FAILED(script->SetSettingText(id, text.c_str()))) return Failed("setting " + std::to_string(id));
  // A document is saved once it has analysed, as in an analyze run.
  if (ondara_host::SendNamedCommand(L"ZR_Analyze", document.Get()) != S_OK) return Failed("the analysis");
  DeleteFileW(mSaved.c_str());
  if (FAILED(host::SaveDocumentStreams(*side.document.Get(), mSaved))) return Failed("save");
  return FileBytes(mSaved);
}

RunResult DocumentsRun::Run(const std::vector<uint8_t>& file) {
  RunResult result;
  BoxLines boxes;
  HostSide side;
  WriteBytes(mOpened, file);
  side.data = host::DataDocument::Create(mRecording);
  side.data->SetFormulaClass(mFormulaClass.Get());
  side.document = host::HostDocument::Create(side.data);
  host::HostPtr<ICustomDocument2> document;
  std::wstring refusal;
  if (FAILED(ondara_host::OpenAnalysisDocument(*side.document.Get(), mOpened, document, &refusal))) {
    result.refused = true;
    result.refusal = host::Utf8FromWide(refusal);
    result.messages = boxes.Text();
    return result;
  }
  side.document->BroadcastDocumentsOpen();
  // As the analyze command does: an analysis channel the recording lacks ends the run.
  host::HostPtr<IDocumentSettingsScript> script;
  int32_t channel = 0;
  if (SUCCEEDED(document->QueryInterface(IID_IDocumentSettingsScript, reinterpret_cast<void**>(script.Out())))) {
    const ondara_host::ChannelSource source{std::nullopt, false, mOpened};
    result.refusal = ondara_host::AnalysisChannelRefusal(script.Get(), source,
                                                         static_cast<int32_t>(mRecording.channels.size()), &channel);
  }
  if (!result.refusal.empty()) {
    result.refused = true;
    result.messages = boxes.Text();
    return result;
  }
  // The run analyses as the command does: the region it analysed is stored again.
  ondara_host::SendNamedCommand(L"ZR_Analyze", document.Get());
  DeleteFileW(mSaved.c_str());
  if (SUCCEEDED(host::SaveDocumentStreams(*side.document.Get(), mSaved))) result.saved = FileBytes(mSaved);
  result.messages = boxes.Text();
  return result;
}

}  // namespace sweep
