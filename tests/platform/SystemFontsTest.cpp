// The faces the system draws its own parts with are installed where the module runs: a face
// that is missing falls back on another and shows letters or a serif in their place.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::wstring FaceGivenFor(const wchar_t* asked, BYTE charset) {
  LOGFONTW wanted{};
  wanted.lfHeight = -11;
  wanted.lfCharSet = charset;
  lstrcpynW(wanted.lfFaceName, asked, LF_FACESIZE);
  HFONT const font = CreateFontIndirectW(&wanted);
  HDC const dc = CreateCompatibleDC(nullptr);
  HGDIOBJ const old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return face;
}

// Dialogs ask for "MS Shell Dlg" (Tahoma here); title bars, scroll arrows and check marks are
// glyphs of Marlett.
TEST(SystemFonts, TheDialogAndTheSymbolFacesAreInstalled) {
  EXPECT_EQ(FaceGivenFor(L"Tahoma", DEFAULT_CHARSET), L"Tahoma");
  EXPECT_EQ(FaceGivenFor(L"Marlett", SYMBOL_CHARSET), L"Marlett") << "title-bar buttons show as letters";
}

}  // namespace
