// The event block reader and the small drawing services.
#include "drawing/DrawingServices.h"
#include "drawing/EventBlockReader.h"

#include "platform/owl/TApplication.h"
#include "platform/owl/TFont.h"
#include "host/common/HostPtr.h"
#include "tests/support/InertEnumerator.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ContrastAdjust, MirrorsBrightnessOnBlackOnly) {
  struct Case {
    COLORREF colour;
    COLORREF background;
    COLORREF expected;
  };
  const Case cases[] = {
      {RGB(255, 0, 0), RGB(0, 0, 0), RGB(255, 85, 85)},
      {RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255)},
      {RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0)},
      {RGB(128, 128, 128), RGB(0, 0, 0), RGB(127, 127, 127)},
      {RGB(255, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0)},
      {RGB(10, 20, 30), RGB(128, 128, 128), RGB(10, 20, 30)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ScrivoDraw::ContrastAdjust(c.colour, c.background))
        << std::hex << "colour 0x" << c.colour << " on 0x" << c.background;
  }
}

// Records of a given size: `count` events per record, then the record's end.
class SizedEnumerator final : public testing_support::InertEnumerator {
 public:
  int32_t size = 344;
  int32_t events = 3;
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override {
    *bytes = size;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Next(int32_t bytes, int32_t, void* buffer, int32_t* returned, int32_t* next) noexcept override {
    const int32_t room = bytes / size;
    const int32_t count = events < room ? events : room;
    std::memset(buffer, 0x5A, static_cast<size_t>(count * size));
    events -= count;
    *returned = count;
    *next = events > 0 ? 100 : kEnumRecordEnd;
    return events > 0 ? S_OK : S_FALSE;
  }
};

TEST(EventBlockReader, SizesForEightRecordsAndReadsToTheRecordEnd) {
  host::HostPtr<SizedEnumerator> events(new SizedEnumerator, false);
  ScrivoDraw::EventBlockReader reader;
  reader.SetEnum(events.Get());
  reader.Reset();
  EXPECT_EQ(2752, reader.BufferBytes());
  ASSERT_TRUE(reader.ReadBlock());
  EXPECT_EQ(3, reader.Count());
  EXPECT_EQ(reader.Begin() + 3 * 344, reader.End());
  reader.Reset();
  ASSERT_TRUE(reader.ReadBlock() == false);
  EXPECT_EQ(0, reader.Count());
  EXPECT_EQ(0x7FFFFFFF, reader.NextTick());
  EXPECT_EQ(S_FALSE, reader.LastResult());
  // The buffer stays while the size does, and follows a new size.
  const uint8_t* const kept = reader.Begin();
  reader.Reset();
  reader.ReadBlock();
  EXPECT_EQ(kept, reader.Begin());
  events->size = 24;
  reader.Reset();
  EXPECT_EQ(192, reader.BufferBytes());
}

TEST(EventBlockReader, WithoutEnumeratorReadsNothing) {
  ScrivoDraw::EventBlockReader reader;
  reader.Reset();
  EXPECT_FALSE(reader.ReadBlock());
  EXPECT_EQ(nullptr, reader.Current());
}

// The label font's height in points on the screen for a language.
static int LabelPoints(LANGID language) {
  const LANGID before = OWL::TApplication::GetLangId();
  OWL::TApplication::SetLangId(language);
  std::unique_ptr<OWL::TFont> font(ScrivoDraw::CreateScreenLabelFont());
  OWL::TApplication::SetLangId(before);
  LOGFONTW lf{};
  GetObjectW(font->GetHandle(), sizeof lf, &lf);
  HDC const screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_STREQ(L"MS Shell Dlg 2", lf.lfFaceName);
  return MulDiv(-lf.lfHeight, 72, dpi);
}

TEST(CreateScreenLabelFont, TenPointsTwelveForChineseAndJapanese) {
  EXPECT_EQ(10, LabelPoints(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)));
  EXPECT_EQ(12, LabelPoints(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)));
  EXPECT_EQ(12, LabelPoints(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)));
}

}  // namespace
