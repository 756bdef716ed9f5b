// The host's Data Pad: cells by row and column, the sheet's bounds and its printout.
#include "host/data/DataPad.h"

#include "hostapi/QORString.h"
#include "host/common/HostString.h"

#include <gtest/gtest.h>

#include <sstream>

using host::DataPad;

TEST(DataPad, CellsReadBackAndPrintByRow) {
  const host::HostPtr<DataPad> pad = DataPad::Create();
  EXPECT_EQ(S_OK, pad->SetCell(0, 0, 1, 0, host::MakeHostString(L"a").Get(), VARIANT_TRUE));
  EXPECT_EQ(S_OK, pad->SetCell(0, 0, 1, 2, host::MakeHostString(L"c").Get(), VARIANT_TRUE));
  EXPECT_EQ(S_OK, pad->SetCell(0, 0, 3, 25, host::MakeHostString(L"z").Get(), VARIANT_TRUE));
  EXPECT_EQ(E_INVALIDARG, pad->SetCell(0, 0, 3, 26, host::MakeHostString(L"beyond Z").Get(), VARIANT_TRUE));
  EXPECT_EQ(E_INVALIDARG, pad->SetCell(0, 0, kDataPadRows, 0, host::MakeHostString(L"x").Get(), VARIANT_TRUE));
  QOR::IQORString* text = nullptr;
  ASSERT_EQ(S_OK, pad->GetCell(0, 0, 1, 2, &text));
  EXPECT_EQ(L"c", host::StringText(text));
  text->Release();
  std::wostringstream out;
  pad->Print(out);
  EXPECT_EQ(L"1\n2\ta\t\tc\n3\n4" + std::wstring(26, L'\t') + L"z\n", out.str());
  EXPECT_EQ(S_OK, pad->SetCell(0, 0, 3, 25, host::MakeHostString(L"").Get(), VARIANT_TRUE));
  EXPECT_EQ(2, pad->UsedRows()) << "an emptied cell no longer counts";
}
