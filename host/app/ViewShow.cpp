// The analyze command's views: menu commands, the comment the user activates, the pictures.
#include "host/app/ViewShow.h"

#include "host/app/ViewOutputs.h"
#include "host/app/WindowPicture.h"
#include "host/common/FileProblemWords.h"
#include "host/common/HostString.h"
#include "host/common/MessageText.h"
#include "host/data/Sampler.h"
#include "host/data/CustomDocuments.h"
#include "host/view/HostMessageLoop.h"
#include "host/view/RecordingComments.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/TypeRegistry.h"

#include <objbase.h>

#include <cstdio>

namespace ondara_host {

namespace {

struct ShowableView {
  const wchar_t* name;
  const wchar_t* menuPath;  // the document's menu command that opens it
};
constexpr ShowableView kViews[] = {{L"analysis", L"Ondara|Analysis View"}, {L"table", L"Ondara|Table View"}};

const ShowableView* FindView(const std::wstring& name) {
  for (const ShowableView& view : kViews)
    if (name == view.name) return &view;
  return nullptr;
}

void PrintFailure(const std::wstring& what, HRESULT hr) {
  host::PrintMessageLine(host::Utf8FromWide(what) + ": " + host::HexCode(static_cast<unsigned long>(hr)));
}

// The folder pictures go into, made when it is not there: an empty text, or the line saying why
// it could not be made.
std::wstring FolderFailure(const std::wstring& folder) {
  if (CreateDirectoryW(folder.c_str(), nullptr)) return std::wstring();
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::wstring();
  return folder + L": the folder could not be made: " + host::WideFromUtf8(host::FileProblemWords(folder, error));
}

template <class Interface>
host::HostPtr<Interface> Framework(const IID& iid) {
  host::HostPtr<Interface> service;
  CoGetClassObject(CLSID_LumoFrameWork, CLSCTX_ALL, nullptr, iid, reinterpret_cast<void**>(service.Out()));
  return service;
}

// The user activates the event's comment ("ZR: Peak N") in the recording view, record by record.
// A stimulus that no response followed has no comment of its own beside its stimulus marker's
// ("ZR: Peak N stimulus"), which makes the event current all the same.
HRESULT ActivateEventComment(host::DataDocument& data, IUnknown* document, int32_t event) {
  const auto registry = Framework<IClassRegistry>(IID_IClassRegistry);
  const auto types = Framework<ITypeRegistry>(IID_ITypeRegistry);
  if (!registry || !types) return E_FAIL;
  int32_t records = 0;
  data.GetRecordCount(&records);
  const std::wstring number = std::to_wstring(event);
  for (int32_t record = 0; record < records; ++record) {
    host::RecordingComments view;
    HRESULT hr = view.CollectEventComments(registry.Get(), static_cast<IHostDataFile*>(&data), record);
    if (FAILED(hr)) return hr;
    for (const std::wstring& name :
         {L"ZR: Peak " + number, L"ZR: Population Spike " + number, L"ZR: Peak " + number + L" stimulus"}) {
      hr = view.ShowComment(document, types.Get(), name);
      if (hr != S_FALSE) return hr;
    }
  }
  return S_FALSE;
}

// Prints the failure's line, if any; 1 after one, else 0.
int Reported(const std::wstring& failure) {
  if (failure.empty()) return 0;
  host::PrintMessageLine(host::Utf8FromWide(failure));
  return 1;
}

// Each view's picture as FOLDER/NAME-view.png. 0, or 1 after a line for each that failed.
int WritePictures(const ShownFrames& frames, const std::wstring& folder) {
  if (Reported(FolderFailure(folder))) return 1;
  int status = 0;
  for (const auto& [name, frame] : frames) {
    const std::wstring path = folder + L"\\" + name + L"-view.png";
    const HRESULT hr = SaveWindowPicture(frame, path);
    if (FAILED(hr))
      status = Reported(path + L" could not be written: " + host::WideFromUtf8(host::SaveProblemWords(path, hr)));
  }
  return status;
}

// Each view's print preview pages in the folder. 0, or 1 after a line for each view that failed.
int WritePreviews(const ShownFrames& frames, const std::wstring& folder) {
  if (Reported(FolderFailure(folder))) return 1;
  int status = 0;
  for (const auto& [name, frame] : frames) status |= Reported(WritePrintPreview(frame, name, folder));
  return status;
}

// The outputs taken from the views, each whatever became of the others. 0, or 1 after a line for
// each that failed.
int TakeOutputs(const ShownFrames& frames, const ViewShowRequest& request) {
  int status = request.previewFolder.empty() ? 0 : WritePreviews(frames, request.previewFolder);
  if (!request.copyFile.empty() && !frames.empty())
    status |= Reported(WriteCopy(frames.back().second, request.copyFile));
  for (const auto& [name, frame] : frames)
    if (!request.dataPadFile.empty() && name == L"table") status |= Reported(WriteDataPad(frame, request.dataPadFile));
  return status;
}

}  // namespace

bool IsShowableView(const std::wstring& name) { return FindView(name) != nullptr; }

int OpenShownViews(host::HostDocument& hostDocument, IUnknown* document, const ViewShowRequest& request,
                   ShownFrames* frames) {
  for (const std::wstring& name : request.views) {
    const size_t before = hostDocument.Views().OpenViews();
    const HRESULT hr = host::RunMenuCommand(document, L"Ondara Document", FindView(name)->menuPath);
    host::HostClientFrame* const frame = hostDocument.Views().FrameAt(before);
    if (FAILED(hr) || !frame) {
      PrintFailure(L"the " + name + L" view did not open", FAILED(hr) ? hr : E_FAIL);
      return 1;
    }
    frames->emplace_back(name, frame->Frame());
  }
  return 0;
}

int ShowViews(host::HostDocument& hostDocument, host::DataDocument& data, IUnknown* document,
              const ViewShowRequest& request, ShownFrames* frames) {
  if (frames->empty() && OpenShownViews(hostDocument, document, request, frames) != 0) return 1;
  int status = 0;
  if (request.event > 0) {
    // The pictures are still taken: they show what the views show without the event.
    const HRESULT hr = ActivateEventComment(data, document, request.event);
    if (hr == S_FALSE)
      host::PrintMessageLine("--event " + std::to_string(request.event) + ": the analysis has no such event");
    if (FAILED(hr)) PrintFailure(L"--event " + std::to_wstring(request.event), hr);
    if (hr != S_OK) status = 1;
  }
  PumpUntilIdle();
  if (!request.pictureFolder.empty()) status |= WritePictures(*frames, request.pictureFolder);
  return status | TakeOutputs(*frames, request);
}

HRESULT SampleWhileShowing(host::HostDocument& hostDocument, host::DataDocument& data, IUnknown* document,
                           const ViewShowRequest& request, const host::Recording& source, int32_t batchTicks,
                           ShownFrames* frames) {
  if (OpenShownViews(hostDocument, document, request, frames) != 0) return E_FAIL;
  PumpUntilIdle();
  return host::SampleRecording(&data, source, batchTicks, &PumpUntilIdle);
}

void KeepViewsOpen(host::HostDocument& hostDocument) {
  host::RunHostLoop([&hostDocument] { return hostDocument.Views().OpenViews() == 0; });
}

}  // namespace ondara_host
