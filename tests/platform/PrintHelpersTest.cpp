// The default printer's DC: the screen's without a default printer, and also when the default
// printer's DC cannot be made; metafile copies keep the picture's size.
#include "platform/uihelpers/PrintHelpers.h"

#include "platform/owl/TDC.h"

#include <gtest/gtest.h>

#include <memory>

TEST(PrintHelpers, DefaultPrinterFallsBackToTheScreen) {
  wchar_t saved[255] = {};
  GetProfileStringW(L"windows", L"device", L"", saved, 255);
  WriteProfileStringW(L"windows", L"device", L"No Such Printer,nodriver,LPT9:");
  std::unique_ptr<OWL::TDC> unusable(QOR::GetDefaultPrinterDC());
  WriteProfileStringW(L"windows", L"device", L"");
  std::unique_ptr<OWL::TDC> none(QOR::GetDefaultPrinterDC());
  WriteProfileStringW(L"windows", L"device", saved[0] ? saved : nullptr);

  ASSERT_TRUE(unusable && unusable->IsOK());
  EXPECT_EQ(unusable->GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
  ASSERT_TRUE(none && none->IsOK());
  EXPECT_EQ(none->GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
}

TEST(PrintHelpers, CopiesAnEnhancedMetafileIntoAWindowsMetafile) {
  RECT const frame{0, 0, 1000, 500};  // 10 x 5 mm
  HDC const recorder = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  Rectangle(recorder, 10, 10, 30, 20);
  HENHMETAFILE const enhanced = CloseEnhMetaFile(recorder);
  ASSERT_NE(enhanced, nullptr);
  std::unique_ptr<std::remove_pointer<HMETAFILE>::type, QOR::MetafileDeleter> copy(QOR::CopyMetafile(enhanced));
  DeleteEnhMetaFile(enhanced);
  ASSERT_NE(copy.get(), nullptr);
  EXPECT_GT(GetMetaFileBitsEx(copy.get(), 0, nullptr), 0u);
}
