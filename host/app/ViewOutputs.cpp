// The view outputs of the analyze command: preview pages as PNG files, the clipboard after a
// copy, the Data Pad after "Add to Data Pad".
#include "host/app/ViewOutputs.h"

#include "host/data/DataPad.h"
#include "host/app/WindowPicture.h"
#include "host/common/FileProblemWords.h"
#include "host/common/MessageText.h"
#include "host/framework/PrintPreviewPages.h"
#include "host/view/HostClientFrame.h"
#include "wholefile/ReplacingFile.h"

#include <cstdio>
#include <cwchar>
#include <sstream>
#include <string>

namespace ondara_host {

namespace {

std::wstring Failure(const std::wstring& what, HRESULT hr) {
  wchar_t code[16];
  std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return what + L": " + code;
}

// "PATH could not be written: WHY", in words.
std::wstring WriteFailure(const std::wstring& path, HRESULT hr) {
  return path + L" could not be written: " + host::WideFromUtf8(host::SaveProblemWords(path, hr));
}

std::wstring WriteUtf8(const std::wstring& path, std::wstring_view text) {
  const HRESULT hr = WholeFile::WriteBytesReplacing(path, host::Utf8FromWide(text));
  return FAILED(hr) ? WriteFailure(path, hr) : std::wstring();
}

std::wstring ChooseFrameCommand(HWND frame, const wchar_t* path) {
  const HRESULT hr = host::HostClientFrame::ChooseMenuCommand(frame, path);
  PumpUntilIdle();
  return FAILED(hr) ? Failure(std::wstring(L"the frame's menu has no ") + path, hr) : std::wstring();
}

// What the clipboard holds: its text, or else its picture written as PNG.
std::wstring WriteClipboard(const std::wstring& file) {
  if (!OpenClipboard(nullptr)) return L"the clipboard could not be opened";
  std::wstring failure;
  if (HANDLE const text = GetClipboardData(CF_UNICODETEXT)) {
    const auto* const units = static_cast<const wchar_t*>(GlobalLock(text));
    const size_t most = GlobalSize(text) / sizeof(wchar_t);
    failure = units ? WriteUtf8(file, std::wstring_view(units, wcsnlen(units, most)))
                    : L"the clipboard's text could not be read";
    if (units) GlobalUnlock(text);
  } else if (HANDLE const picture = GetClipboardData(CF_ENHMETAFILE)) {
    const HRESULT hr = SaveMetafilePicture(static_cast<HENHMETAFILE>(picture), file);
    if (FAILED(hr)) failure = WriteFailure(file, hr);
  } else {
    failure = L"the copy put neither text nor a picture on the clipboard";
  }
  CloseClipboard();
  return failure;
}

struct ButtonSearch {
  const wchar_t* text;
  HWND found;
};

BOOL CALLBACK FindButton(HWND window, LPARAM lParam) noexcept {
  auto* const search = reinterpret_cast<ButtonSearch*>(lParam);
  wchar_t name[16] = {};
  wchar_t text[64] = {};
  GetClassNameW(window, name, 16);
  GetWindowTextW(window, text, 64);
  if (_wcsicmp(name, L"Button") != 0 || std::wcscmp(text, search->text) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::wstring WritePrintPreview(HWND frame, const std::wstring& name, const std::wstring& folder) {
  const uint32_t before = lumo_preview::Count();
  std::wstring failure = ChooseFrameCommand(frame, L"File|Print Preview");
  const uint32_t after = lumo_preview::Count();
  if (failure.empty() && after == before) failure = L"the " + name + L" view showed no print preview";
  int number = 0;
  for (uint32_t preview = before; preview < after; ++preview) {
    for (HBITMAP page : lumo_preview::Pages(preview)) {
      if (!failure.empty()) break;
      const std::wstring path = folder + L"\\" + name + L"-page-" + std::to_wstring(++number) + L".png";
      const HRESULT hr = SaveBitmapPicture(page, path);
      if (FAILED(hr)) failure = WriteFailure(path, hr);
    }
    if (HWND const window = lumo_preview::Window(preview)) DestroyWindow(window);
  }
  if (failure.empty() && number == 0) failure = L"the " + name + L" view's print preview has no pages";
  return failure;
}

std::wstring WriteCopy(HWND frame, const std::wstring& file) {
  // Nothing from before the copy is taken for it.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  const std::wstring failure = ChooseFrameCommand(frame, L"Edit|Copy");
  return failure.empty() ? WriteClipboard(file) : failure;
}

std::wstring WriteDataPad(HWND frame, const std::wstring& file) {
  ButtonSearch search{L"Add to Data Pad", nullptr};
  EnumChildWindows(frame, &FindButton, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return L"the view has no \"Add to Data Pad\" button";
  SendMessageW(search.found, BM_CLICK, 0, 0);
  PumpUntilIdle();
  std::wostringstream rows;
  host::TheDataPad().Print(rows);
  return WriteUtf8(file, rows.str());
}

}  // namespace ondara_host
