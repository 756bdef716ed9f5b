// The stand-in host opening a module's view the user's way: the document's menu command sends
// the open-view message, the host document opens the view in a frame of its own, and the
// host's picture of that frame is a PNG file.
#include "views/AnalysisView.h"
#include "views/ViewClasses.h"

#include "document/ZRDoc.h"
#include "host/app/HostFramework.h"
#include "host/app/WindowPicture.h"
#include "host/data/CustomDocuments.h"
#include "host/view/FrameCascade.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/ModuleInstance.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using host::HostPtr;

class HostViewOpening : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK);
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    RegisterNewClassObject(registry, ZR::Doc::NewDocumentClass());
    RegisterNewClassObject(registry, NewAnalysisViewClass());
  }
  void SetUp() override {
    // The menu entries carry the module's instance; the test program stands for the module.
    mPrevious = GetModuleInstance();
    SetModuleInstance(GetModuleHandleW(nullptr));
    ASSERT_EQ(S_OK, host::OpenCustomDocument(*mHost.Get(), L"Ondara Document", 0, mDocument));
  }
  void TearDown() override {
    mHost->CloseChildDocuments();
    SetModuleInstance(mPrevious);
  }

  HostPtr<host::HostDocument> mHost = testsupport::LoadHostDocument();
  HostPtr<ICustomDocument2> mDocument;
  HINSTANCE mPrevious = nullptr;
};

std::string FileHead(const std::wstring& path, size_t count) {
  std::string head(count, '\0');
  FILE* const file = _wfopen(path.c_str(), L"rb");
  if (!file) return std::string();
  head.resize(std::fread(&head[0], 1, count, file));
  std::fclose(file);
  return head;
}

}  // namespace

TEST_F(HostViewOpening, TheMenuCommandOpensTheViewInAFrameOfItsOwnUntilTheDocumentCloses) {
  ASSERT_EQ(S_OK, host::RunMenuCommand(mDocument.Get(), L"Ondara Document", L"Ondara|Analysis View"));
  ASSERT_EQ(1u, mHost->Views().OpenViews());
  host::HostClientFrame* const frame = mHost->Views().FrameAt(0);
  ASSERT_NE(nullptr, frame);
  HWND const view = GetWindow(frame->Client(), GW_CHILD);
  ASSERT_NE(nullptr, view);
  EXPECT_NE(nullptr, dynamic_cast<AnalysisView*>(OWL::TWindow::GetWindowPtr(view)));
  // A second command opens a second view, as a second click does.
  ASSERT_EQ(S_OK, host::RunMenuCommand(mDocument.Get(), L"Ondara Document", L"Ondara|&Analysis View"));
  EXPECT_EQ(2u, mHost->Views().OpenViews());
  EXPECT_NE(frame->Frame(), mHost->Views().FrameAt(1)->Frame());
  // The second frame cascades below and right of the first, whose title stays in view.
  RECT first{}, second{};
  GetWindowRect(frame->Frame(), &first);
  GetWindowRect(mHost->Views().FrameAt(1)->Frame(), &second);
  EXPECT_EQ(second.left - first.left, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME));
  EXPECT_EQ(second.top - first.top, second.left - first.left);
  EXPECT_EQ(second.right - second.left, first.right - first.left) << "the same size";
  EXPECT_LE(second.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(E_INVALIDARG, host::RunMenuCommand(mDocument.Get(), L"Ondara Document", L"Ondara|No Such View"));
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, host::RunMenuCommand(mDocument.Get(), L"No Document", L"Ondara|Analysis View"));
  mHost->CloseChildDocuments();
  EXPECT_EQ(0u, mHost->Views().OpenViews());
  EXPECT_FALSE(IsWindow(view));
}

// Each frame goes a step below and right of the last, and back to the first place where it would
// reach past the work area; its size follows the screen's resolution but stays within the work area.
TEST(FrameCascade, FramesStepDownAndRightAndAreSizedWithinTheWorkArea) {
  const RECT work{0, 0, 1280, 1000};
  const SIZE frame{640, 480};
  const RECT middle{100, 100, 740, 580}, nearRight{620, 100, 1260, 580}, nearBottom{100, 500, 740, 980};
  const struct {
    const RECT* last;
    RECT area;
    POINT corner;
  } cases[] = {
      {nullptr, work, {40, 40}},           {&middle, work, {125, 125}}, {&nearRight, work, {40, 40}},
      {&nearBottom, work, {40, 40}},       {nullptr, RECT{0, 30, 1280, 1000}, {40, 70}},
  };
  for (const auto& c : cases) {
    const POINT corner = host::NextFramePosition(c.last, frame, c.area, 25);
    EXPECT_EQ(c.corner.x, corner.x) << (c.last ? c.last->left : -1);
    EXPECT_EQ(c.corner.y, corner.y) << (c.last ? c.last->top : -1);
  }
  // Frames are 640 x 480 at 96 dpi, scaled to the screen and kept on it.
  const struct {
    int dpi;
    RECT area;
    SIZE size;
  } sizes[] = {{96, work, {640, 480}}, {192, RECT{0, 0, 2560, 1600}, {1280, 960}}, {192, work, {1240, 960}},
               {144, RECT{0, 30, 800, 600}, {760, 530}}};
  for (const auto& c : sizes) {
    const SIZE size = host::FrameSize(c.dpi, c.dpi, c.area);
    EXPECT_EQ(c.size.cx, size.cx) << c.dpi;
    EXPECT_EQ(c.size.cy, size.cy) << c.dpi;
  }
}

TEST_F(HostViewOpening, TheFramesPictureIsAPngFile) {
  ASSERT_EQ(S_OK, host::RunMenuCommand(mDocument.Get(), L"Ondara Document", L"Ondara|Analysis View"));
  wchar_t folder[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"ondara-view-picture.png";
  DeleteFileW(path.c_str());
  ASSERT_EQ(S_OK, ondara_host::SaveWindowPicture(mHost->Views().FrameAt(0)->Frame(), path));
  EXPECT_EQ(std::string("\x89PNG\r\n\x1A\n", 8), FileHead(path, 8));
  DeleteFileW(path.c_str());
  EXPECT_EQ(E_INVALIDARG, ondara_host::SaveWindowPicture(nullptr, path));
}
