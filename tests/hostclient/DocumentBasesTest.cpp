// Documents and their class object as the stand-in host drives them: creation through the
// class, the host objects a document fetches, routing to the event table and then the
// companion, menus, and a creation that fails.
#include "hostclient/LumoDocumentClass.h"
#include "hostclient/ScrivoChildDocument.h"

#include "base/XQOR.h"
#include "host/app/HostFramework.h"
#include "host/framework/FrameworkRecords.h"
#include "host/data/CustomDocuments.h"
#include "hostapi/MessageService.h"
#include "hostclient/ClassRegistration.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/TypeIds.h"
#include "tests/support/HostDataFile.h"
#include "tests/support/RecordedCommandState.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace {

using host::HostPtr;

// {5E0C2B17-94A3-4C6D-8E21-7F3A9B0C1D42}
constexpr GUID kTestDocGuid = {0x5E0C2B17, 0x94A3, 0x4C6D, {0x8E, 0x21, 0x7F, 0x3A, 0x9B, 0x0C, 0x1D, 0x42}};
using TestCommand = TypeIdClass<&kTestDocGuid, 1>;
using TestEvent = TypeIdClass<&kTestDocGuid, 2>;
using TakenMessage = TypeIdClass<&kTestDocGuid, 3>;
using LeftMessage = TypeIdClass<&kTestDocGuid, 4>;
// Creation flag that makes the document's own constructor fail after its bases were built.
constexpr uint32_t kFailFlag = 0x1;

class TestDoc final : public ScrivoChildDocument {
 public:
  TestDoc(IUnknown* hostObject, IUnknown* classObject, uint32_t flags)
      : ScrivoChildDocument(hostObject, classObject, flags) {
    if (flags & kFailFlag) throw XQOR(E_ACCESSDENIED);
    SetName(L"Two records");
    ++sLive;
  }
  LUMO_DECLARE_EVENT_TABLE();

  static void AddHostMenus(IHostMenuList* root) {
    ComPtr<IHostMenuList> entry;
    CreateHostSubMenu(L"TEST", L"Test", entry);
    root->Add(entry.Get());
    CreateHostMenuTitle(7, L"Test^EXTENSION|", entry);
    root->Add(entry.Get());
    CreateHostMenuCommand(0, 0, TestCommand::Id(), L"Test|Run", 269, L"Run it", L"TEST", entry);
    ComPtr<IHostMenuList> separator;
    AddHostMenuItems(L"-", separator);
    entry->Add(separator.Get());
    root->Add(entry.Get());
    CreateHostMenuEntry(0, 22, TestCommand::Id(), L"Test|Again", entry);
    root->Add(entry.Get());
  }

  void OnCommand() { ++commands; }
  void OnCommandState(ICommandState*& state) { state->SetChecked(VARIANT_TRUE); }
  void OnEvent(uint32_t word) { eventWord = word; }
  int OnTaken() { return 0; }
  int OnLeft() { return 1; }

  int commands = 0;
  uint32_t eventWord = 0;
  static inline int sLive = 0;

 private:
  ~TestDoc() override { --sLive; }
};

LUMO_DEFINE_EVENT_TABLE(TestDoc, LumoEventHandlerBase){
    EventTableHead(),
    CommandEntry(&TestCommand::GetId, &TestDoc::OnCommand),
    CommandStateEntry(&TestCommand::GetId, &TestDoc::OnCommandState),
    ObserverEntry(&TestEvent::GetId, &TestDoc::OnEvent),
    MessageEntry(&TakenMessage::GetId, kMessageMaskWholeId, &TestDoc::OnTaken),
    MessageEntry(&LeftMessage::GetId, kMessageMaskWholeId, &TestDoc::OnLeft),
    EventTableEnd(),
};

// Records the event ids observers are attached to.
class RecordingSubscription final : public IObserverSubscription {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AttachObserver(IObserver*, uint32_t eventId, uint32_t) override {
    ids.push_back(eventId);
    return S_OK;
  }
  std::vector<uint32_t> ids;
};

std::wstring TakeBstr(BSTR text) {
  std::wstring result(text ? text : L"", text ? SysStringLen(text) : 0);
  SysFreeString(text);
  return result;
}

HostCompanionRecord RecordOf(IUnknown* object) {
  HostCompanionRecord record{};
  ComPtr<IHostCompanionRecord> part;
  object->QueryInterface(IID_IHostCompanionRecord, part.OutVoid());
  if (part) part->GetRecord(&record);
  return record;
}

class DocumentBases : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK);
    sClass = new LumoDocumentClass<TestDoc>(L"Test Document", &kTestDocGuid,
                                            &kDocumentClassCategory,
                                            TypeIdClass<&kTestDocGuid, 0>::Id(), 1, 0);
    // The registry holds the class for the process, as it does the module's.
    RegisterNewClassObject(ObjectFactoryAccessor::Get(), static_cast<ICustomDocClass*>(sClass));
  }

  void SetUp() override {
    hostDocument = testsupport::LoadHostDocument();
    ASSERT_EQ(host::OpenCustomDocument(*hostDocument.Get(), L"Test Document", 0x40000000u, document),
              S_OK);
  }
  void TearDown() override {
    hostDocument->CloseChildDocuments();
    document.Reset();
    EXPECT_EQ(TestDoc::sLive, 0);
  }
  TestDoc& Doc() { return *static_cast<TestDoc*>(document.Get()); }
  ComPtr<IMessage> NewMessage(uint32_t id) {
    ComPtr<IMessage> message;
    GetMessageService()->CreateMessage(id, 0, 0, 0, 0, nullptr, message.Out());
    return message;
  }

  static inline LumoDocumentClass<TestDoc>* sClass = nullptr;
  HostPtr<host::HostDocument> hostDocument;
  HostPtr<ICustomDocument2> document;
};

TEST_F(DocumentBases, DocumentKeepsTheObjectsOfItsDataFile) {
  IHostDocument* const hostPart = hostDocument.Get();
  EXPECT_EQ(Doc().HostDataDocument(), hostPart);
  HostPtr<IHostDataDocument> data;
  hostPart->GetDataDocument(data.Out());
  EXPECT_EQ(Doc().DataDocument(), data.Get());
  EXPECT_NE(Doc().DataFile(), nullptr);
  EXPECT_NE(Doc().Selection(), nullptr);
  EXPECT_NE(Doc().DataSource(), nullptr);
  // Objects the stand-in host does not have stay null.
  EXPECT_EQ(Doc().HostLink(), nullptr);
  EXPECT_EQ(Doc().HostObjectA(), nullptr);
  // The host finds the document among its children by the class's type id.
  HostPtr<IUnknown> child;
  ASSERT_EQ(hostDocument->GetChildObject(TypeIdClass<&kTestDocGuid, 0>::Id(), 0, child.Out()), S_OK);
  HostPtr<IUnknown> identity;
  document->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Out()));
  EXPECT_EQ(child.Get(), identity.Get());
  uint32_t flags = 0;
  document->GetCreationFlags(&flags);
  EXPECT_EQ(flags, 0x40000000u);
  // The host's information about the document, and the frame of its site.
  HostPtr<IUnknown> info;
  EXPECT_EQ(document->GetDocumentInfo(info.Out()), S_OK);
  EXPECT_NE(info.Get(), nullptr);
  EXPECT_NE(Doc().GetFrameInterface(), nullptr);
}

TEST_F(DocumentBases, SlotsByIndexAndIdentity) {
  void** const table = *reinterpret_cast<void***>(document.Get());
  using NameFn = HRESULT(STDMETHODCALLTYPE*)(ICustomDocument2*, BSTR*);
  using WordFn = HRESULT(STDMETHODCALLTYPE*)(ICustomDocument2*, uint32_t);
  BSTR name = SysAllocString(L"stale");
  ASSERT_EQ(reinterpret_cast<NameFn>(table[3])(document.Get(), &name), S_OK);
  EXPECT_EQ(TakeBstr(name), L"Two records");
  ASSERT_EQ(reinterpret_cast<WordFn>(table[13])(document.Get(), 77), S_OK);
  uint32_t word = 0;
  document->GetUserWord(&word);
  EXPECT_EQ(word, 77u);
  // One IUnknown whatever part it is asked from; a refused IID clears the out pointer.
  HostPtr<IUnknown> a, b;
  document->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(a.Out()));
  ComPtr<IMessageHandler> handler;
  document->QueryInterface(IID_IMessageHandler, handler.OutVoid());
  handler->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(b.Out()));
  EXPECT_EQ(a.Get(), b.Get());
  void* refused = &word;
  EXPECT_EQ(document->QueryInterface(IID_IRefusedByDocuments, &refused), E_NOINTERFACE);
  EXPECT_EQ(refused, nullptr);
}

TEST_F(DocumentBases, CommandsRunThroughTheTable) {
  ComPtr<ILumoCommandHandler> commands;
  document->QueryInterface(IID_ILumoCommandHandler, commands.OutVoid());
  EXPECT_EQ(commands->Execute(TestCommand::Id()), S_OK);
  EXPECT_EQ(Doc().commands, 1);
  RecordedCommandState state;
  EXPECT_EQ(commands->QueryState(TestCommand::Id(), &state), S_OK);
  EXPECT_TRUE(state.checked);
  EXPECT_EQ(commands->Execute(TakenMessage::Id()), S_FALSE);
  // The class offers a command to its companion first, then to its own (empty) table.
  const uint32_t before = RecordOf(sClass->Companion()).commands;
  EXPECT_EQ(sClass->Execute(TestCommand::Id()), S_FALSE);
  EXPECT_EQ(RecordOf(sClass->Companion()).commands, before + 1);
}

TEST_F(DocumentBases, MessagesAndEventsReachTheTableThenTheCompanion) {
  ComPtr<IMessageHandler> handler;
  document->QueryInterface(IID_IMessageHandler, handler.OutVoid());
  EXPECT_EQ(handler->HandleMessage(NewMessage(TakenMessage::Id()).Get()), kMessageConsumed);
  EXPECT_EQ(RecordOf(Doc().Companion()).messages, 0u);
  // Not consumed by the table: the companion's answer is the document's.
  EXPECT_EQ(handler->HandleMessage(NewMessage(LeftMessage::Id()).Get()), kMessageNotConsumed);
  HostCompanionRecord record = RecordOf(Doc().Companion());
  EXPECT_EQ(record.messages, 1u);
  EXPECT_EQ(record.lastMessageId, LeftMessage::Id());

  ComPtr<IObserver> observer;
  document->QueryInterface(IID_IObserver, observer.OutVoid());
  const uint32_t word = 0x1234;
  EXPECT_EQ(observer->Notify(0, TestEvent::Id(), 0, &word), S_OK);
  EXPECT_EQ(Doc().eventWord, 0x1234u);
  record = RecordOf(Doc().Companion());
  EXPECT_EQ(record.notifications, 1u);
  EXPECT_EQ(record.lastEventId, TestEvent::Id());
  EXPECT_EQ(Doc().ForwardToSite(0x55, nullptr), S_OK);
  EXPECT_EQ(RecordOf(Doc().Companion()).lastSiteId, 0x55u);
}

TEST_F(DocumentBases, MenusComeBackAsTheRecordedTreeAndReplaceTheFirstRoot) {
  ASSERT_EQ(sClass->RequestMenus(nullptr), S_OK);
  IHostMenuList* const first = sClass->MenuRoot();
  ASSERT_NE(first, nullptr);
  first->AddRef();
  ASSERT_EQ(sClass->RequestMenus(nullptr), S_OK);
  EXPECT_NE(sClass->MenuRoot(), first);
  EXPECT_EQ(first->Release(), 0u) << "the class let go of its first root";

  ComPtr<IHostMenuRecord> record;
  sClass->MenuRoot()->QueryInterface(IID_IHostMenuRecord, record.OutVoid());
  BSTR tree = nullptr;
  ASSERT_EQ(record->Describe(&tree), S_OK);
  wchar_t guid[40];
  StringFromGUID2(kTestDocGuid, guid, 40);
  wchar_t id[16];
  swprintf(id, 16, L"0x%X", TestCommand::Id());
  const std::wstring expected =
      L"root " + std::wstring(guid) + L"\n"
      L"  submenu \"TEST\" title \"Test\" order 10000\n"
      L"  entry \"Test^EXTENSION|\" id 0x7D0 position 7 parent 0x0\n"
      L"  command \"Test|Run\" id " + id + L" position 0 parent 0x0 flag 269 help \"Run it\" tag \"TEST\"\n"
      L"    separator \"-\"\n"
      L"  entry \"Test|Again\" id " + id + L" position 22 parent 0x0\n";
  EXPECT_EQ(TakeBstr(tree), expected);
  // A click on the menu comes back to the class's command handler.
  EXPECT_EQ(record->RunCommand(TestCommand::Id()), S_FALSE);
}

TEST_F(DocumentBases, RegisteringTellsTheCompanionAndAttachesTheTablesEvents) {
  RecordingSubscription subscription;
  ComPtr<IObserver> observer;
  document->QueryInterface(IID_IObserver, observer.OutVoid());
  EXPECT_EQ(observer->RegisterWith(&subscription), S_OK);
  EXPECT_EQ(RecordOf(Doc().Companion()).registrations, 1u);
  EXPECT_EQ(subscription.ids, std::vector<uint32_t>{TestEvent::Id()});
}

TEST_F(DocumentBases, SlotNineCreatesAndSlotFiveLetsGoOfTheHostDocument) {
  ICustomDocClass* const documentClass = sClass;
  using CreateFn = HRESULT(STDMETHODCALLTYPE*)(ICustomDocClass*, uintptr_t, IUnknown*, uint32_t,
                                               ICustomDocument2**, uintptr_t);
  void** const table = *reinterpret_cast<void***>(documentClass);
  auto other = testsupport::LoadHostDocument();
  HostPtr<ICustomDocument2> made;
  ASSERT_EQ(reinterpret_cast<CreateFn>(table[9])(documentClass, 0,
                                                 static_cast<IHostDocument*>(other.Get()), 0,
                                                 made.Out(), 0),
            S_OK);
  auto* const created = static_cast<TestDoc*>(made.Get());
  EXPECT_EQ(created->HostDataDocument(), static_cast<IHostDocument*>(other.Get()));
  EXPECT_EQ(made->Detach(), S_OK);
  EXPECT_EQ(created->HostDataDocument(), nullptr);
  EXPECT_EQ(made.Detach()->Release(), 0u);
}

TEST_F(DocumentBases, FailedCreationLeavesNothingBehind) {
  auto other = testsupport::LoadHostDocument();
  HostPtr<ICustomDocument2> failed;
  EXPECT_EQ(host::OpenCustomDocument(*other.Get(), L"Test Document", kFailFlag, failed), E_ACCESSDENIED);
  EXPECT_EQ(failed.Get(), nullptr);
  HostPtr<IUnknown> child;
  EXPECT_EQ(other->GetChildObject(TypeIdClass<&kTestDocGuid, 0>::Id(), 0, child.Out()), E_FAIL);
  EXPECT_EQ(host::OpenCustomDocument(*other.Get(), L"No Such Document", 0, failed),
            CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(DocumentBases, ClassNamesAndCategory) {
  BSTR name = SysAllocString(L"stale");
  ASSERT_EQ(sClass->GetNameBstr(&name), S_OK);
  EXPECT_EQ(TakeBstr(name), L"Test Document");
  const GUID* category = nullptr;
  sClass->GetCategory(&category);
  const GUID copy = kDocumentClassCategory;
  EXPECT_EQ(sClass->IsCategory(category), S_OK);
  EXPECT_EQ(sClass->IsCategory(&copy), S_OK);
  EXPECT_EQ(sClass->IsCategory(&kTestDocGuid), S_FALSE);
  EXPECT_EQ(sClass->IsCategory(nullptr), S_FALSE);
}

}  // namespace
