// The module's views as the stand-in host opens them: a view made by its class, given a
// window inside a host frame, asked to close, detached once; the class's lock count, the
// interface ids it lists, and host commands reaching the view's window.
#include "views/AnalysisView.h"
#include "views/ViewClasses.h"
#include "views/ZRTableViewEx.h"

#include "document/ZRDoc.h"
#include "host/app/HostFramework.h"
#include "host/framework/FrameworkRecords.h"
#include "host/data/CustomDocuments.h"
#include "host/view/ViewSite.h"
#include "hostapi/ChildDocumentList.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/LumoOwlDocView.h"
#include "hostclient/LumoOwlDocViewClass.h"
#include "hostclient/ModuleInstance.h"
#include "hostclient/TypeIds.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>

namespace {

using host::HostPtr;

// {0B7E3D21-6C4A-4F8E-9D12-5A6B7C8D9E03}
constexpr GUID kProbeViewGuid = {0x0B7E3D21, 0x6C4A, 0x4F8E, {0x9D, 0x12, 0x5A, 0x6B, 0x7C, 0x8D, 0x9E, 0x03}};
using ProbeCommand = TypeIdClass<&kProbeViewGuid, 7>;

// A view window with a table: host commands sent to the view reach it.
class ProbeWindow final : public ZRViewBase {
 public:
  ProbeWindow(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
              OWL::TModule* module)
      : ZRViewBase(parent, viewClass, view, owner, module) {}
  static uint32_t ViewMessageId() noexcept { return TypeIdClass<&kProbeViewGuid, 1>::Id(); }
  bool CanClose() override { return mayClose; }
  LUMO_DECLARE_EVENT_TABLE();
  void OnProbe() { ++probes; }

  bool mayClose = true;
  int probes = 0;
};

LUMO_DEFINE_EVENT_TABLE(ProbeWindow, LumoEventHandlerBase){
    EventTableHead(),
    CommandEntry(&ProbeCommand::GetId, &ProbeWindow::OnProbe),
    EventTableEnd(),
};

using ProbeView = LumoOwlDocView<ProbeWindow>;

std::wstring TakeBstr(BSTR text) {
  std::wstring result(text ? text : L"", text ? SysStringLen(text) : 0);
  SysFreeString(text);
  return result;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

template <class View>
View* ViewObject(IDocView2* view) {
  IClientWindow* client = nullptr;
  view->QueryInterface(IID_IClientWindow, reinterpret_cast<void**>(&client));
  client->Release();  // the test holds the view itself
  return static_cast<View*>(client);
}

class DocumentViews : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK);
    IClassRegistry* const registry = ObjectFactoryAccessor::Get();
    RegisterNewClassObject(registry, ZR::Doc::NewDocumentClass());
    RegisterNewClassObject(registry, NewAnalysisViewClass());
    RegisterNewClassObject(registry, NewTableViewClass());
    RegisterNewClassObject(registry, static_cast<IDocViewClass*>(new LumoOwlDocViewClass<ProbeView>(
                                         QOR::String(L"Probe View"), nullptr, GetModule())));
  }
  void TearDown() override {
    site->CloseAll();
    PumpMessages();
  }
  static HostPtr<IDocViewClass> ClassOf(uint32_t typeId) {
    HostPtr<IDocViewClass> viewClass;
    ObjectFactoryAccessor::Get()->GetClassObject(typeId, IID_IDocViewClass,
                                                 reinterpret_cast<void**>(viewClass.Out()));
    return viewClass;
  }
  static int32_t Locks(IDocViewClass* viewClass) {
    int32_t count = -1;
    viewClass->GetLockCount(0, &count);
    return count;
  }

  HostPtr<host::ViewSite> site = host::ViewSite::Create();
};

TEST_F(DocumentViews, AViewOverALoadedDataFileFillsTheClientWindowOfItsHostFrame) {
  auto hostDocument = testsupport::LoadHostDocument();
  HostPtr<ICustomDocument2> document;
  ASSERT_EQ(host::OpenCustomDocument(*hostDocument.Get(), L"Ondara Document", 0, document), S_OK);
  HostPtr<IDocView2> view;
  ASSERT_EQ(site->OpenView(AnalysisView::ViewMessageId(), view), S_OK);
  PumpMessages();
  host::HostClientFrame* const frame = site->FrameOf(view.Get());
  ASSERT_NE(frame, nullptr);
  AnalysisView* const window = ViewObject<LumoOwlDocView<AnalysisView>>(view.Get())->Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetParent(window->GetHandle()), frame->Client());
  EXPECT_TRUE(IsWindowVisible(window->GetHandle()));
  RECT inside{}, viewRect{};
  GetClientRect(frame->Client(), &inside);
  MapWindowPoints(frame->Client(), nullptr, reinterpret_cast<POINT*>(&inside), 2);
  GetWindowRect(window->GetHandle(), &viewRect);
  EXPECT_TRUE(EqualRect(&inside, &viewRect))
      << viewRect.left << "," << viewRect.top << "," << viewRect.right << "," << viewRect.bottom;
  // The view follows its frame.
  MoveWindow(frame->Frame(), 10, 10, 500, 300, TRUE);
  PumpMessages();
  GetClientRect(frame->Client(), &inside);
  GetClientRect(window->GetHandle(), &viewRect);
  EXPECT_EQ(viewRect.right, inside.right);
  EXPECT_EQ(viewRect.bottom, inside.bottom);
  BSTR name = nullptr;
  view->GetNameBstr(&name);
  EXPECT_EQ(TakeBstr(name), L"Ondara View");
  site->CloseAll();
  hostDocument->CloseChildDocuments();
  EXPECT_EQ(document.Detach()->Release(), 0u);
}

TEST_F(DocumentViews, LockCountFollowsTheViewsAndDetachHappensOnce) {
  HostPtr<IDocViewClass> tableClass = ClassOf(ZRTableViewEx::ViewMessageId());
  ASSERT_NE(tableClass.Get(), nullptr);
  HostPtr<IDocView2> first, second;
  ASSERT_EQ(site->OpenView(ZRTableViewEx::ViewMessageId(), first), S_OK);
  ASSERT_EQ(site->OpenView(ZRTableViewEx::ViewMessageId(), second), S_OK);
  EXPECT_EQ(Locks(tableClass.Get()), 2);
  ASSERT_EQ(site->CloseView(first.Get()), S_OK);
  EXPECT_EQ(site->CloseQuestions(), 1);
  EXPECT_EQ(site->DetachNotices(), 1);
  // A second detach does nothing; the owner hears of it once.
  EXPECT_EQ(first->Detach(), S_OK);
  EXPECT_EQ(site->DetachNotices(), 1);
  EXPECT_EQ(first.Detach()->Release(), 0u);
  EXPECT_EQ(Locks(tableClass.Get()), 1);
  site->CloseAll();
  second.Reset();
  EXPECT_EQ(Locks(tableClass.Get()), 0);
}

TEST_F(DocumentViews, ClosingAsksTheWindowTheOwnerAndTheHostClient) {
  HostPtr<IDocView2> view;
  ASSERT_EQ(site->OpenView(ProbeWindow::ViewMessageId(), view), S_OK);
  ProbeWindow* const window = ViewObject<ProbeView>(view.Get())->Window();
  window->mayClose = false;
  EXPECT_EQ(site->CloseView(view.Get()), S_FALSE);
  EXPECT_EQ(site->CloseQuestions(), 0) << "the window said no first";
  window->mayClose = true;
  site->RefuseNextClose();
  EXPECT_EQ(site->CloseView(view.Get()), S_FALSE);
  site->FrameOf(view.Get())->RefuseDetaches(1);
  EXPECT_EQ(site->CloseView(view.Get()), S_FALSE) << "the host client kept the view";
  EXPECT_EQ(site->OpenViews(), 1u);
  EXPECT_EQ(site->CloseView(view.Get()), S_OK);
  EXPECT_EQ(site->OpenViews(), 0u);
}

TEST_F(DocumentViews, ClientWindowIsGivenOnceAndHostCommandsReachTheWindow) {
  HostPtr<IDocViewClass> probeClass = ClassOf(ProbeWindow::ViewMessageId());
  HostPtr<IDocView2> view;
  ASSERT_EQ(probeClass->CreateView(0, static_cast<IViewOwner*>(site.Get()), view.Out()), S_OK);
  BSTR name = nullptr;
  view->GetNameBstr(&name);
  EXPECT_EQ(TakeBstr(name), L"Probe View") << "the class name before the window exists";
  auto frame = host::HostClientFrame::Create(L"probe");
  auto client = view.As<IClientWindow>(IID_IClientWindow);
  // Slot 3 by index, as the host calls it.
  using SetClientFn = HRESULT(STDMETHODCALLTYPE*)(IClientWindow*, IHostClientWindow*, HWND*);
  void** const table = *reinterpret_cast<void***>(client.Get());
  HWND window = nullptr;
  ASSERT_EQ(reinterpret_cast<SetClientFn>(table[3])(client.Get(), frame.Get(), &window), S_OK);
  HWND again = nullptr;
  EXPECT_EQ(client->SetHostClient(frame.Get(), &again), E_FAIL);
  EXPECT_EQ(again, nullptr);
  ProbeView* const probe = ViewObject<ProbeView>(view.Get());
  EXPECT_EQ(probe->Window()->GetHandle(), window);
  auto commands = view.As<ILumoCommandHandler>(IID_ILumoCommandHandler);
  EXPECT_EQ(commands->Execute(ProbeCommand::Id()), S_OK);
  EXPECT_EQ(probe->Window()->probes, 1);
  uint32_t record[2] = {};
  view->SetWordA(3);
  view->SetWordB(2);
  view->GetViewRecord(record);
  EXPECT_EQ(record[0], ProbeWindow::ViewMessageId());
  EXPECT_EQ(record[1], 0x00020003u);
  EXPECT_EQ(view->Detach(), S_OK);
  EXPECT_EQ(probe->Window(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(frame->DetachNotices(), 1);
}

TEST_F(DocumentViews, ReleasingTheHostClientDeletesAWindowMadeInTheHostsWindow) {
  HostPtr<IDocView2> view;
  ASSERT_EQ(ClassOf(ProbeWindow::ViewMessageId())
                ->CreateView(0, static_cast<IViewOwner*>(site.Get()), view.Out()),
            S_OK);
  auto frame = host::HostClientFrame::Create(L"probe");
  auto client = view.As<IClientWindow>(IID_IClientWindow);
  HWND window = nullptr;
  ASSERT_EQ(client->SetHostClient(frame.Get(), &window), S_OK);
  EXPECT_EQ(client->ReleaseHostClient(), S_OK);
  EXPECT_FALSE(IsWindow(window));
  HostPtr<IHostClientWindow> held;
  client->GetHostClient(held.Out());
  EXPECT_EQ(held.Get(), nullptr);
  // Detaching now only tells the owner: there is no host client to ask.
  EXPECT_EQ(view->Detach(), S_OK);
  EXPECT_EQ(frame->DetachNotices(), 0);
  EXPECT_EQ(site->DetachNotices(), 1);
}

TEST_F(DocumentViews, ActivationReachesTheClassCompanionAndTheOwner) {
  HostPtr<IDocView2> view;
  ASSERT_EQ(site->OpenView(ZRTableViewEx::ViewMessageId(), view), S_OK);
  auto tableClass = ClassOf(ZRTableViewEx::ViewMessageId());
  auto record = tableClass.As<IHostCompanionRecord>(IID_IHostCompanionRecord);
  HostCompanionRecord before{}, after{};
  record->GetRecord(&before);
  EXPECT_EQ(before.initialisations, 1u) << "the registry initialised the class once";
  EXPECT_EQ(view->Activate(), S_OK);
  record->GetRecord(&after);
  EXPECT_EQ(after.activations, before.activations + 1);
  EXPECT_EQ(site->Activations(), 1);
}

TEST_F(DocumentViews, InterfaceEnumeratorNextSkipAndClone) {
  HostPtr<IDocViewClass> analysisClass = ClassOf(AnalysisView::ViewMessageId());
  HostPtr<IEnumInterface> list;
  ASSERT_EQ(analysisClass->GetInterfaces(list.Out()), S_OK);
  const IID* iids[3] = {};
  uint32_t fetched = 9;
  EXPECT_EQ(list->Next(2, iids, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  EXPECT_TRUE(IsEqualIID(*iids[0], IID_IHostChildDocumentList));
  EXPECT_EQ(list->Next(1, iids, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(list->Next(2, iids, nullptr), E_POINTER);
  EXPECT_EQ(list->Next(1, nullptr, nullptr), E_POINTER);
  list->Reset();
  EXPECT_EQ(list->Skip(0), S_OK);
  EXPECT_EQ(list->Skip(1), S_OK);
  HostPtr<IEnumInterface> clone;
  ASSERT_EQ(list->Clone(clone.Out()), S_OK);
  EXPECT_EQ(clone->Next(1, iids, nullptr), S_OK) << "the clone goes on from the second id";
  EXPECT_FALSE(IsEqualIID(*iids[0], IID_IHostChildDocumentList));
  EXPECT_EQ(list->Skip(5), S_FALSE);
  EXPECT_EQ(clone->Clone(nullptr), E_POINTER);
  // Each enumerator keeps the module locked while it lives.
  const LONG locked = ModuleLockCount();
  clone.Reset();
  EXPECT_EQ(ModuleLockCount(), locked - 1);
}

TEST_F(DocumentViews, ViewClassNamesCompanionAndMenus) {
  HostPtr<IDocViewClass> tableClass = ClassOf(ZRTableViewEx::ViewMessageId());
  BSTR name = SysAllocString(L"stale");
  tableClass->GetNameBstr(&name);
  EXPECT_EQ(TakeBstr(name), L"Ondara Table View");
  const GUID copy = kViewClassCategory;
  EXPECT_EQ(tableClass->IsCategory(&copy), S_OK);
  EXPECT_EQ(tableClass->IsCategory(nullptr), S_FALSE);
  // Registration initialised the class: it has its menu root, and unknown interfaces go to
  // its companion.
  EXPECT_NE(static_cast<OwlDocViewClassBase*>(tableClass.Get())->MenuRoot(), nullptr);
  HostPtr<IViewClassCompanion> companion;
  EXPECT_EQ(tableClass->QueryInterface(IID_IViewClassCompanion,
                                       reinterpret_cast<void**>(companion.Out())),
            S_OK);
}

}  // namespace
