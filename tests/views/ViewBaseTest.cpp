// The view base as the stand-in host drives it: its command states, printing and preview
// through the frame's print service, the picture copy to the clipboard, and the size grip.
#include "views/ZRViewBase.h"
#include "views/ZRPrintout.h"

#include "document/ZRDoc.h"
#include "host/app/HostFramework.h"
#include "host/framework/HostObservation.h"
#include "host/data/CustomDocuments.h"
#include "host/view/ViewSite.h"
#include "hostapi/MessageService.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/LumoOwlDocView.h"
#include "hostclient/LumoOwlDocViewClass.h"
#include "hostclient/ModuleInstance.h"
#include "hostclient/TypeIds.h"
#include "platform/owl/TDC.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace {

using host::HostPtr;

// {3E5C9A17-2B84-4D6F-A0E1-7C9D2B4F6A85}
constexpr GUID kRedViewGuid = {0x3E5C9A17, 0x2B84, 0x4D6F, {0xA0, 0xE1, 0x7C, 0x9D, 0x2B, 0x4F, 0x6A, 0x85}};

// A view that renders itself as a red rectangle.
class RedWindow final : public ZRViewBase {
 public:
  RedWindow(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
            OWL::TModule* module)
      : ZRViewBase(parent, viewClass, view, owner, module) {}
  static uint32_t ViewMessageId() noexcept { return TypeIdClass<&kRedViewGuid, 1>::Id(); }
  QOR::String GetCopyCommandName() override { return L"Copy Ondara View"; }
  QOR::String GetPrintCommandName() override { return L"&Print Ondara View"; }
  QOR::String GetCaption() override { return L"Red: Ondara View"; }
  void Render(OWL::TDC& dc, OWL::TDC*, const OWL::TRect& rect) override {
    HBRUSH const red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc.GetHDC(), &rect, red);
    DeleteObject(red);
  }
  void Refresh() override { ++refreshes; }
  int refreshes = 0;
};
using RedView = LumoOwlDocView<RedWindow>;

// The command state the host hands a view: the text and enabled flag it was given.
class RecordedState final : public ICommandState {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) noexcept override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE SetChecked(VARIANT_BOOL) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetEnabled(VARIANT_BOOL on) noexcept override {
    enabled = static_cast<uint16_t>(on);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetText(const wchar_t* value) noexcept override {
    text = value ? value : L"";
    return S_OK;
  }
  std::wstring text;
  uint16_t enabled = 0x1234;
};

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

class ViewBaseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK);
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    RegisterNewClassObject(registry, ZR::Doc::NewDocumentClass());
    RegisterNewClassObject(registry, static_cast<IDocViewClass*>(new LumoOwlDocViewClass<RedView>(
                                         QOR::String(L"Ondara View"), nullptr, GetModule())));
  }
  void SetUp() override {
    hostDocument = testsupport::LoadHostDocument();
    ASSERT_EQ(host::OpenCustomDocument(*hostDocument.Get(), L"Ondara Document", 0, document), S_OK);
    site->SetHostDocument(static_cast<IHostDocument*>(hostDocument.Get()));
    ASSERT_EQ(site->OpenView(RedWindow::ViewMessageId(), view), S_OK);
    PumpMessages();
    IClientWindow* client = nullptr;
    view->QueryInterface(IID_IClientWindow, reinterpret_cast<void**>(&client));
    client->Release();
    window = static_cast<RedView*>(client)->Window();
    view->QueryInterface(IID_IMessageHandler, reinterpret_cast<void**>(messages.Out()));
    view->QueryInterface(IID_ILumoCommandHandler, reinterpret_cast<void**>(commands.Out()));
  }
  void TearDown() override {
    messages.Reset();
    commands.Reset();
    site->CloseAll();
    PumpMessages();
    site->SetHostDocument(nullptr);
    hostDocument->CloseChildDocuments();
    EXPECT_EQ(document.Detach()->Release(), 0u);
    EXPECT_EQ(view.Detach()->Release(), 0u);
  }
  RecordedState State(uint32_t command) {
    RecordedState state;
    EXPECT_EQ(commands->QueryState(command, &state), S_OK) << std::hex << command;
    return state;
  }
  int32_t Send(uint32_t id) {
    HostPtr<IMessage> message;
    GetMessageService()->CreateMessage(id, 0, 0, 0, 0, nullptr, message.Out());
    return messages->HandleMessage(message.Get());
  }
  ULONG ViewReferences() {
    view->AddRef();
    return view->Release();
  }

  HostPtr<host::ViewSite> site = host::ViewSite::Create();
  HostPtr<host::HostDocument> hostDocument;
  HostPtr<ICustomDocument2> document;
  HostPtr<IDocView2> view;
  HostPtr<IMessageHandler> messages;
  HostPtr<ILumoCommandHandler> commands;
  RedWindow* window = nullptr;
};

TEST_F(ViewBaseTest, CommandStatesNameTheCommandsAndFollowThePrintSupport) {
  ASSERT_NE(window->Document(), nullptr) << "the view finds the analysis document";
  RecordedState copy = State(kCopyCommandId);
  EXPECT_EQ(copy.text, L"Copy Ondara View");
  EXPECT_EQ(copy.enabled, 0xFFFF);
  RecordedState print = State(kPrintCommandId);
  EXPECT_EQ(print.text, L"&Print Ondara View");
  EXPECT_EQ(print.enabled, 0xFFFF);
  // The view base's own entry for quick print answers no; the derived entry wins.
  EXPECT_EQ(State(kQuickPrintCommandId).enabled, 0xFFFF);
  site->SetCanPrint(false);
  EXPECT_EQ(State(kPrintCommandId).enabled, 0);
  EXPECT_EQ(State(kQuickPrintCommandId).enabled, 0);
  EXPECT_EQ(State(kCopyCommandId).enabled, 0xFFFF);
}

TEST_F(ViewBaseTest, SpanishHostTranslatesOnlyALeadingPrint) {
  lumo_observe::SetHostLanguage(MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN));
  EXPECT_EQ(State(kPrintCommandId).text, L"&Imprimir Ondara View");
  lumo_observe::SetHostLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  EXPECT_EQ(State(kPrintCommandId).text, L"&Print Ondara View");
  lumo_observe::SetHostLanguage(0);
  const LANGID spanish = MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN);
  EXPECT_STREQ(LocalizedPrintCommand(L"Quick &Print", spanish).GetText(), L"Quick &Print");
  EXPECT_STREQ(LocalizedPrintCommand(L"&Printer", spanish).GetText(), L"&Imprimirer");
  EXPECT_STREQ(LocalizedPrintCommand(L"&Pri", spanish).GetText(), L"&Pri");
}

TEST_F(ViewBaseTest, PrintAndPreviewHandTheServiceOneRedPage) {
  const ULONG references = ViewReferences();
  const lumo_observe::PrintJobsSeen before = lumo_observe::PrintJobs();
  EXPECT_EQ(Send(kPrintMessageId), kMessageNotConsumed);
  lumo_observe::PrintJobsSeen seen = lumo_observe::PrintJobs();
  EXPECT_EQ(seen.jobs, before.jobs + 1);
  EXPECT_EQ(seen.pages, 1u);
  EXPECT_EQ(seen.flags, 1u);
  EXPECT_EQ(seen.title, L"Red: Ondara View");
  EXPECT_EQ(seen.centre, 0xFF0000u);
  EXPECT_EQ(Send(kPrintPreviewMessageId), kMessageNotConsumed);
  seen = lumo_observe::PrintJobs();
  EXPECT_EQ(seen.previews, before.previews + 1);
  EXPECT_EQ(seen.pages, 1u);
  EXPECT_EQ(seen.centre, 0xFF0000u);
  // Every printout was let go, with its reference on the view.
  EXPECT_EQ(ViewReferences(), references);
  site->SetCanPrint(false);
  EXPECT_EQ(Send(kPrintMessageId), kMessageNotConsumed);
  EXPECT_EQ(Send(kPrintPreviewMessageId), kMessageNotConsumed);
  EXPECT_EQ(Send(kSitePrintMessageId), kMessageNotConsumed);
  seen = lumo_observe::PrintJobs();
  EXPECT_EQ(seen.jobs, before.jobs + 1);
  EXPECT_EQ(seen.previews, before.previews + 1);
  EXPECT_EQ(site->PrintRequests(), 0);
  site->SetCanPrint(true);
  Send(kSitePrintMessageId);
  EXPECT_EQ(site->PrintRequests(), 1);
}

TEST_F(ViewBaseTest, PrintoutSlotsByIndex) {
  ComPtr<ILumoPrintoutEx> printout = ZRPrintout::Create(*window, L"Title");
  void** const table = *reinterpret_cast<void***>(printout.Get());
  using ModeFn = HRESULT(STDMETHODCALLTYPE*)(ILumoPrintoutEx*, int32_t*);
  using PlainFn = HRESULT(STDMETHODCALLTYPE*)(ILumoPrintoutEx*);
  int32_t mode = 0;
  EXPECT_EQ(reinterpret_cast<ModeFn>(table[3])(printout.Get(), &mode), S_OK);
  EXPECT_EQ(mode, 3);
  for (int slot : {7, 8, 11, 12})
    EXPECT_EQ(reinterpret_cast<PlainFn>(table[slot])(printout.Get()), S_OK) << slot;
  EXPECT_EQ(reinterpret_cast<PlainFn>(table[13])(printout.Get()), E_NOTIMPL);
  EXPECT_EQ(printout->PrintPage(1), E_UNEXPECTED) << "nothing to draw on before begin";
  BSTR title = nullptr;
  EXPECT_EQ(printout->GetTitle(&title), S_OK);
  EXPECT_STREQ(title, L"Title");
  SysFreeString(title);
  DibCanvas page(40, 30, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT area{10, 10, 30, 20};
  ASSERT_EQ(printout->BeginPrinting(page.Dc(), nullptr, &area), S_OK);
  int32_t count = 0;
  EXPECT_EQ(printout->GetPageCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  VARIANT_BOOL past = VARIANT_TRUE;
  printout->IsPastEnd(0, &past);
  EXPECT_EQ(past, VARIANT_FALSE);
  printout->IsPastEnd(1, &past);
  EXPECT_EQ(past, VARIANT_TRUE);
  EXPECT_EQ(printout->PrintPage(1), S_OK);
  EXPECT_EQ(page.At(20, 15), 0xFF0000u);
  EXPECT_EQ(page.At(5, 5), 0xFFFFFFu) << "only the page rectangle is drawn";
  HostPtr<IUnknown> owner, identity;
  ASSERT_EQ(printout->GetOwner(owner.Out()), S_OK);
  view->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Out()));
  IUnknown* ownerIdentity = nullptr;
  owner->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ownerIdentity));
  EXPECT_EQ(ownerIdentity, identity.Get());
  ownerIdentity->Release();
  EXPECT_EQ(printout.Detach()->Release(), 0u);
}

TEST_F(ViewBaseTest, CopyPutsBothMetafilesOfThePhysicalSizeOnTheClipboard) {
  const uint32_t begins = lumo_observe::CopyBegins();
  EXPECT_EQ(Send(kCopyMessageId), kMessageNotConsumed);
  EXPECT_EQ(lumo_observe::CopyBegins(), begins + 1);
  EXPECT_EQ(window->refreshes, 1);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardOwner(), window->GetHandle());
  auto enhanced = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  auto pictureMemory = static_cast<HGLOBAL>(GetClipboardData(CF_METAFILEPICT));
  ASSERT_NE(enhanced, nullptr);
  ASSERT_NE(pictureMemory, nullptr);
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(enhanced, sizeof(header), &header);
  RECT client{};
  GetClientRect(window->GetHandle(), &client);
  HDC const screen = GetDC(nullptr);
  const int x = client.right * GetDeviceCaps(screen, HORZSIZE) * 100 / GetDeviceCaps(screen, HORZRES);
  const int y = client.bottom * GetDeviceCaps(screen, VERTSIZE) * 100 / GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  // The recorder may widen the frame by a unit of rounding.
  EXPECT_NEAR(header.rclFrame.right, x, 2);
  EXPECT_NEAR(header.rclFrame.bottom, y, 2);
  const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(pictureMemory));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->mm, MM_ANISOTROPIC);
  EXPECT_EQ(picture->xExt, header.rclFrame.right);
  EXPECT_EQ(picture->yExt, header.rclFrame.bottom);
  EXPECT_NE(picture->hMF, nullptr);
  GlobalUnlock(pictureMemory);
  DibCanvas played(60, 40, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT target{0, 0, 60, 40};
  PlayEnhMetaFile(played.Dc(), enhanced, &target);
  EXPECT_EQ(played.At(30, 20), 0xFF0000u);
  CloseClipboard();
}

TEST_F(ViewBaseTest, SizeGripAnswersOnlyWhileTheFrameIsNotMaximised) {
  const HWND handle = window->GetHandle();
  RECT client{};
  GetClientRect(handle, &client);
  POINT corner{client.right - 2, client.bottom - 2};
  ClientToScreen(handle, &corner);
  POINT middle{client.right / 2, client.bottom / 2};
  ClientToScreen(handle, &middle);
  EXPECT_EQ(SendMessageW(handle, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
  EXPECT_NE(SendMessageW(handle, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTBOTTOMRIGHT);
  const HWND frame = GetParent(GetParent(handle));
  ShowWindow(frame, SW_MAXIMIZE);
  PumpMessages();
  ASSERT_TRUE(IsZoomed(frame));
  GetClientRect(handle, &client);
  corner = {client.right - 2, client.bottom - 2};
  ClientToScreen(handle, &corner);
  EXPECT_NE(SendMessageW(handle, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
  const int m = ViewBase::GripSize();
  DibCanvas painted(3 * m, 3 * m, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT area{0, 0, 3 * m, 3 * m};
  window->PaintGrip(painted.Dc(), area);
  EXPECT_EQ(painted.At(3 * m - m / 2, 3 * m - m / 2), DibCanvas::SysPixel(COLOR_BTNFACE));
  EXPECT_EQ(painted.At(m, m), 0xFFFFFFu) << "outside the square nothing is drawn";
  ShowWindow(frame, SW_RESTORE);
  PumpMessages();
}

}  // namespace
