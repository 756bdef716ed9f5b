// Window placements in the binary storage streams and on the monitor's work area.
#include "base/WindowPlacement.h"

#include "base/BinIStream.h"
#include "base/BinOStream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace QOR;

RECT PrimaryWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

std::vector<int32_t> WordsOf(const std::string& bytes) {
  std::vector<int32_t> words(bytes.size() / 4);
  memcpy(words.data(), bytes.data(), words.size() * 4);
  return words;
}

std::string BytesOf(std::vector<int32_t> words) {
  words.insert(words.begin(), static_cast<int32_t>(kBinStreamHeader));
  return std::string(reinterpret_cast<const char*>(words.data()), words.size() * 4);
}

TEST(WindowPlacement, RecordIsSevenWordsOrThree) {
  std::stringbuf buffer;
  {
    BinOStream out(&buffer, false);
    WindowPlacement placement;
    placement.valid = 1;
    placement.rect = RECT{10, 20, 110, 220};
    WriteWindowPlacement(out, placement);
    WriteWindowPlacement(out, WindowPlacement{});
  }
  EXPECT_EQ(WordsOf(buffer.str()),
            (std::vector<int32_t>{static_cast<int32_t>(kBinStreamHeader), 1, 1, 20, 10, 220, 110, 777, 1, 0, 777}));
}

TEST(WindowPlacement, ReadingKeepsTheRectangleAndFlagsABadRecord) {
  struct Case {
    std::vector<int32_t> words;
    uint8_t valid;
    uint8_t error;
    long consumed;  // bytes read after the header
  } cases[] = {
      {{1, 1, 20, 10, 220, 110, 777}, 1, 0, 28},
      {{1, 0, 777}, 0, 0, 12},
      {{2, 1, 20, 10, 220, 110, 777}, 0, 0, 4},  // another version: only its version word is read
      {{1, 1, 20, 10, 220, 110, 778}, 1, 1, 28}, // wrong end marker: rectangle kept, error set
      {{1, 1, 20, 10}, 1, 1, 16},                // cut short
  };
  for (const Case& c : cases) {
    std::stringbuf buffer(BytesOf(c.words));
    BinIStream in(&buffer, false);
    WindowPlacement placement;
    placement.readError = 1;
    ReadWindowPlacement(in, placement);
    EXPECT_EQ(placement.valid, c.valid) << c.words[0] << " " << c.words.back();
    EXPECT_EQ(placement.readError, c.error) << c.words[0] << " " << c.words.back();
    if (c.valid && c.words.size() == 7) {
      EXPECT_EQ(placement.rect.left, 10);
      EXPECT_EQ(placement.rect.bottom, 220);
    }
    if (in.IsGood()) {
      long position = 0;
      in.Tell(&position);
      EXPECT_EQ(position, 4 + c.consumed);
    }
  }
}

TEST(WindowPlacement, RectangleIsMovedIntoTheWorkAreaWithoutResizing) {
  const RECT work = PrimaryWorkArea();
  RECT beyond{work.right - 50, work.bottom - 20, work.right + 150, work.bottom + 80};
  KeepWindowOnMonitor(beyond);
  EXPECT_EQ(beyond.right, work.right);
  EXPECT_EQ(beyond.bottom, work.bottom);
  EXPECT_EQ(beyond.right - beyond.left, 200);
  // Larger than the work area: its top left corner wins.
  RECT huge{work.left - 5, work.top - 5, work.right + 500, work.bottom + 500};
  KeepWindowOnMonitor(huge);
  EXPECT_EQ(huge.left, work.left);
  EXPECT_EQ(huge.top, work.top);
  EXPECT_EQ(huge.right - huge.left, work.right - work.left + 505);
}

TEST(WindowPlacement, ApplyPlacesAWindowOfTheSameSizeElseCentresIt) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 10, 200, 100, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  WindowPlacement placement;
  placement.valid = 1;
  placement.rect = RECT{50, 60, 250, 160};
  ApplyWindowPlacement(window, placement);
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 50);
  EXPECT_EQ(rect.top, 60);
  // A stored rectangle of another size: the window keeps its size, centred on the work area.
  placement.rect = RECT{50, 60, 350, 160};
  ApplyWindowPlacement(window, placement);
  GetWindowRect(window, &rect);
  const RECT work = PrimaryWorkArea();
  EXPECT_EQ(rect.left, (work.left + work.right) / 2 - 100);
  EXPECT_EQ(rect.top, (work.top + work.bottom) / 2 - 50);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(placement.rect.left, rect.left);
  EXPECT_EQ(placement.rect.right, rect.right);
  const WindowPlacement captured = CaptureWindowPlacement(window);
  EXPECT_EQ(captured.valid, 1);
  EXPECT_EQ(captured.rect.top, rect.top);
  DestroyWindow(window);
}

}  // namespace
