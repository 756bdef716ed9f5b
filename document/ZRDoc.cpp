// ZR::Doc::ZRDoc: identity, the host's document calls, the settings, the parts made on first use,
// the view slots, the named commands and the class object.
#include "document/ZRDoc.h"

#include "base/ModalMessageBox.h"
#include "base/String.h"
#include "document/AnalysisChannelUnit.h"
#include "document/AnalysisViewData.h"
#include "document/CycleDetector.h"
#include "document/DocumentView.h"
#include "document/DocumentStringIds.h"
#include "document/ParamCatalogue.h"
#include "document/ScrivoDataChildData.h"
#include "document/SettingIds.h"
#include "document/SettingTexts.h"
#include "document/SettingsStore.h"
#include "document/SettingTextCheck.h"
#include "document/TableViewData.h"
#include "document/ZRSetting.h"
#include "document/ZRSetting_Bool.h"
#include "grid/ITableViewManager.h"
#include "hostapi/ChildDocumentList.h"
#include "hostapi/HostDocument.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/LumoDocumentClass.h"
#include "hostclient/ModuleInstance.h"
#include "hostclient/ThreadErrorText.h"

#include <oleauto.h>

#include <cwchar>

namespace ZR::Doc {

ZRDoc::ZRDoc(IUnknown* hostObject, IUnknown* classObject, uint32_t flags)
    : ScrivoChildDocument(hostObject, classObject, flags), mViewData(std::make_unique<AnalysisViewData>(*this)) {
  BuildParamCatalogue(mCatalogue);
}

ZRDoc::~ZRDoc() {
  // The table data reads the detector: it goes first.
  mTableData = nullptr;
  mTableDataRef.Reset();
  mDetector.reset();
  mTableManager.Reset();
}

HRESULT ZRDoc::QueryDocumentBase(void* object, REFIID iid, void** out, std::uintptr_t) noexcept {
  return QueryBase(static_cast<ZRDoc*>(object), iid, out);
}

ZRDoc* ZRDoc::FromHostDocument(IUnknown* hostDocument) noexcept {
  if (!hostDocument) return nullptr;
  ComPtr<IHostChildDocumentList> children;
  hostDocument->QueryInterface(IID_IHostChildDocumentList, children.OutVoid());
  ComPtr<IUnknown> child;
  if (!children || FAILED(children->GetChildObject(DocIds::DocumentTypeId::Id(), 0, child.Out())) || !child)
    return nullptr;
  IZRDocInterface* document = nullptr;
  if (FAILED(child->QueryInterface(IID_IZRDocInterface, reinterpret_cast<void**>(&document))) || !document)
    return nullptr;
  return static_cast<ZRDoc*>(document);  // the reference of the query goes to the caller
}

bool ZRDoc::ParsePeakComment(const wchar_t* text, long& number) noexcept {
  if (!text) return false;
  return std::swscanf(text, L"ZR: Peak %ld", &number) == 1 ||
         std::swscanf(text, L"ZR: Population Spike %ld", &number) == 1;
}

HRESULT STDMETHODCALLTYPE ZRDoc::Detach() noexcept {
  ComTry([&] {
    DeleteHostMarkers();
    // A registered sink would keep the document alive for as long as the data file.
    ComPtr<IOnlineDataService> service;
    if (DataFile()) DataFile()->QueryInterface(IID_IOnlineDataService, service.OutVoid());
    if (service) service->UnregisterSink(static_cast<IOnlineDataSink*>(this));
    ReleaseManager();  // the manager belongs to the host objects let go of below
  });
  return ScrivoChildDocument::Detach();
}

HRESULT STDMETHODCALLTYPE ZRDoc::OnDataAttached() noexcept {
  return ComTry([&] {
    EnsureChannelGroup();
    UpdateOnlineSinkRegistration();
    GetCycleDetector();
    if (DataDocument() && !mTableManager) CreateTableViewManager(mTableManager.Out());
    CreateHostMarkers();
  });
}

HRESULT STDMETHODCALLTYPE ZRDoc::GetPersistObject(uint32_t request, uint32_t kind, IUnknown**,
                                                  IUnknown** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (request != 0 || kind != 2) return S_FALSE;
  *object = static_cast<IPersistStreamInit*>(&mPersist);
  return S_OK;
}

void ZRDoc::RegisterSettingsPersistence() {
  if (mPersistRegistered || mPersist.Loaded()) return;
  ComPtr<IHostPersistService> service;
  if (HostDataDocument()) HostDataDocument()->QueryInterface(IID_IHostPersistService, service.OutVoid());
  if (!service) return;
  BSTR name = nullptr;
  const HRESULT hr = service->RegisterPersistObject(static_cast<IPersistStreamInit*>(&mPersist), GetFrameInterface(), &name);
  SysFreeString(name);  // the name the host keeps the stream under is of no use here
  if (SUCCEEDED(hr)) mPersistRegistered = true;
}

void ZRDoc::ResetHostState() {
  ComPtr<IAnalysisManager> manager;
  if (mNotifyManager && SUCCEEDED(QueryManagerInterface(IID_IAnalysisManager, manager))) {
    VARIANT_BOOL follows = VARIANT_FALSE;
    if (SUCCEEDED(manager->IsFollowingClient(ClientId(), &follows)) && follows)
      manager->AnalysisChanged(ClientId());  // the manager's answer changes nothing here
  }
  mPersist.SetDirty();
  RegisterSettingsPersistence();
}

SettingsStore& ZRDoc::GetSettings() {
  ScrivoDataChildData* const child = ScrivoDataChildData::GetOrCreate(DataDocument());
  if (!child) throw XQOR(E_FAIL);
  if (!child->GetSettings()) child->SetSettings(std::make_unique<SettingsStore>(mCatalogue.get()));
  return *child->GetSettings();
}

void ZRDoc::EnsureChannelGroup() {
  SettingsStore& store = GetSettings();
  // Groups read from a stream or copied before the data file was attached hold their detection
  // settings as pending text: each gets its host object now.
  store.AttachHostDocument(DataDocument());
  store.GetOrCreateGroup(store.GetCurrentChannel(), -1, DataDocument());
}

void ZRDoc::ResetSettingsToDefaults() { GetSettings() = SettingsStore(mCatalogue.get()); }

QOR::UnitWithPrefix ZRDoc::GetSourceChannelUnits(int32_t record) {
  return HostChannelUnit(DataDocument(), GetSettings().GetCurrentChannel(), record);
}

CycleDetector* ZRDoc::GetCycleDetector() {
  if (!DataDocument()) return nullptr;
  if (!mDetector) mDetector = std::make_unique<CycleDetector>(DataDocument());
  return mDetector.get();
}

HRESULT ZRDoc::GetTableViewManager(ITableViewManager** manager) {
  if (!manager) return E_POINTER;
  *manager = nullptr;
  if (!DataDocument()) return E_FAIL;
  if (!mTableManager) {
    const HRESULT hr = CreateTableViewManager(mTableManager.Out());
    if (FAILED(hr)) return hr;
  }
  mTableManager->AddRef();
  *manager = mTableManager.Get();
  return S_OK;
}

TableViewData* ZRDoc::GetTableViewData() {
  if (mTableData) return mTableData;
  CycleDetector* const detector = GetCycleDetector();
  if (!detector) return nullptr;
  mTableData = new TableViewData(detector);
  mTableDataRef = ComPtr<ITableDataManager>(mTableData);
  return mTableData;
}

HRESULT ZRDoc::ExportTable(const QOR::String& fileName) {
  const int point = fileName.FindLastOf(L".");
  if (fileName.Substring(point + 1, -1) == QOR::String(L"csv")) {
    ComPtr<ITableViewManager> manager;
    HRESULT hr = GetTableViewManager(manager.Out());
    if (SUCCEEDED(hr)) hr = manager->ExportCsv(0, fileName.GetInterface());
    // E_FAIL: no table view to export from, which the user cannot have asked for.
    if (FAILED(hr) && hr != E_FAIL) ShowTableExportFailure(fileName.GetText(), hr);
    return hr;
  }
  TableViewData* const table = GetTableViewData();
  return table ? table->ExportTableText(fileName.GetText()) : E_FAIL;
}

HRESULT STDMETHODCALLTYPE ZRDoc::ExportTableFile(const wchar_t* fileName) noexcept {
  if (!fileName) return E_POINTER;
  return ComTry([&] { return ExportTable(QOR::String(fileName)); });
}

void ZRDoc::AttachView(DocumentView* view) {
  const int slot = view ? view->DocumentSlot() : -1;
  if (slot < 0 || slot > 1) return;
  mViews[slot] = ViewSlot{true, view};
  view->Refresh();
}

void ZRDoc::DetachView(DocumentView* view) noexcept {
  for (ViewSlot& slot : mViews)
    if (slot.view == view) slot = ViewSlot{};
}

void ZRDoc::UpdateViews() {
  for (const ViewSlot& slot : mViews) {
    if (!slot.attached || !slot.view) continue;
    slot.view->InvalidateWindow();
    slot.view->Refresh();
  }
  CheckChannelCalculations();
}

bool ZRDoc::GetBool(SettingId id) {
  const ZRSetting_Bool* const setting = GetSettings().GetBoolSetting(id);
  return setting && setting->Get();
}

void ZRDoc::SetBool(SettingId id, bool on) {
  if (ZRSetting_Bool* const setting = GetSettings().GetBoolSetting(id)) setting->Set(on);
}

int ZRDoc::ShowMessage(uint32_t textId, UINT type, HWND owner) {
  const QOR::String text(GetModuleInstance(), textId, true);
  const QOR::String caption(GetModuleInstance(), IDS_ZR_CAPTION, true);
  return QOR::ShowModalMessageBox(owner ? owner : GetActiveWindow(), text.GetText(), caption.GetText(), type);
}

HRESULT STDMETHODCALLTYPE ZRDoc::SetSettingText(int32_t number, const wchar_t* text) noexcept {
  if (!text) return E_POINTER;
  const SettingId id = SettingIdOf(number);
  SetErrorInfo(0, nullptr);  // words of an earlier call must not stand for this one
  return ComTry([&]() -> HRESULT {
    ZRSetting* const setting = GetSettings().FindSetting(id);
    if (!setting) return E_INVALIDARG;
    const TextFault fault = TakeSettingText(*setting, QOR::String(text));
    if (fault != TextFault::kNone) {
      SetThreadErrorText(IID_IDocumentSettingsScript, TextFaultWords(*setting, fault));
      return E_INVALIDARG;
    }
    if (id == kSettingAnalysisChannel) EnsureChannelGroup();
    // Analysis while sampling, as the menu switches it: the region opens or closes and the
    // online sink is registered or unregistered.
    if (id == kSettingWhileSampling) SetAnalyzeWhileSampling(IsAnalyzeWhileSampling(), false);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE ZRDoc::GetSettingErrorText(int32_t number, QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  const SettingId id = SettingIdOf(number);
  *text = nullptr;
  return ComTry([&]() -> HRESULT {
    if (!GetSettings().FindSetting(id)) return E_INVALIDARG;
    const QOR::String message = SettingErrorText(id).message;
    // Ids without a message of their own get the catalogue's placeholder.
    if (message == SettingErrorText(kNoSetting).message) return S_FALSE;
    *text = message.AddRefInterface();
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE ZRDoc::GetSettingText(int32_t number, QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  const SettingId id = SettingIdOf(number);
  *text = nullptr;
  return ComTry([&]() -> HRESULT {
    const ZRSetting* const setting = GetSettings().FindSetting(id);
    if (!setting) return E_INVALIDARG;
    *text = setting->ToText(true).AddRefInterface();
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE ZRDoc::GetSinkInfo(uint32_t* options, uint16_t* channelMask) noexcept {
  if (!options || !channelMask) return E_POINTER;
  *options = 0;
  *channelMask = 0xFFFF;
  return S_OK;
}

// The last two sink slots answer the values the host expects of this document's sink; what the
// host makes of them is its own business.
HRESULT STDMETHODCALLTYPE ZRDoc::GetPriority(int32_t* priority) noexcept {
  if (!priority) return E_POINTER;
  *priority = 200;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ZRDoc::GetUpdatePercent(int32_t* percent) noexcept {
  if (!percent) return E_POINTER;
  *percent = static_cast<int32_t>(0x80000000u);
  return S_OK;
}

LUMO_DEFINE_EVENT_TABLE(ZRDoc, LumoEventHandlerBase){
    EventTableHead(),
    CommandEntry(&DocIds::SettingsCommand::GetId, &ZRDoc::CmSettings),
    CommandStateEntry(&DocIds::SettingsCommand::GetId, &ZRDoc::CeAlwaysEnabled),
    CommandEntry(&DocIds::OpenAnalysisViewCommand::GetId, &ZRDoc::CmAnalysisView),
    CommandStateEntry(&DocIds::OpenAnalysisViewCommand::GetId, &ZRDoc::CeAlwaysEnabled),
    CommandEntry(&DocIds::OpenTableViewCommand::GetId, &ZRDoc::CmTableView),
    CommandStateEntry(&DocIds::OpenTableViewCommand::GetId, &ZRDoc::CeAlwaysEnabled),
    CommandEntry(&DocIds::AnalyseWhileSamplingCommand::GetId, &ZRDoc::CmAnalyzeWhileSampling),
    CommandStateEntry(&DocIds::AnalyseWhileSamplingCommand::GetId, &ZRDoc::CeAnalyzeWhileSampling),
    CommandEntry(&DocIds::ShowPeakMarkersCommand::GetId, &ZRDoc::CmShowPeakMarkers),
    CommandStateEntry(&DocIds::ShowPeakMarkersCommand::GetId, &ZRDoc::CeShowPeakMarkers),
    CommandEntry(&DocIds::AnalyseCommand::GetId, &ZRDoc::CmAnalyze),
    CommandStateEntry(&DocIds::AnalyseCommand::GetId, &ZRDoc::CeAnalyze),
    CommandEntry(&DocIds::ClearAnalysisCommand::GetId, &ZRDoc::CmClearAnalysis),
    CommandStateEntry(&DocIds::ClearAnalysisCommand::GetId, &ZRDoc::CeClearAnalysis),
    CommandEntry(&DocIds::HelpCommand::GetId, &ZRDoc::CmHelp),
    CommandStateEntry(&DocIds::HelpCommand::GetId, &ZRDoc::CeAlwaysEnabled),
    CommandEntry(&DocIds::ReselectCommand::GetId, &ZRDoc::CmReselectAnalyzedData),
    CommandStateEntry(&DocIds::ReselectCommand::GetId, &ZRDoc::CeReselectAnalyzedData),
    ObserverEntry(&DocIds::RegionAtDataEndEvent14::GetId, &ZRDoc::OnDataChangedAt),
    ObserverEntry(&DocIds::RegionAtDataEndEvent16::GetId, &ZRDoc::OnDataChangedAtDetach),
    ObserverEntry(&DocIds::MarkersDetachedEvent::GetId, &ZRDoc::OnMarkersNotice),
    ObserverEntry(&DocIds::ChannelChangedEvent20::GetId, &ZRDoc::OnChannelDataChanged),
    ObserverEntry(&DocIds::ChannelChangedEvent22::GetId, &ZRDoc::OnChannelDataChanged),
    ObserverEntry(&DocIds::RecordsReanalyseEvent::GetId, &ZRDoc::OnChannelChanged),
    ObserverEntry(&DocIds::RecordsChangedEvent::GetId, &ZRDoc::OnChannelSettingsChanged),
    ObserverEntry(&DocIds::ManagerEvent7::GetId, &ZRDoc::ReanalyzeRequest),
    ObserverEntry(&DocIds::ManagerEvent5::GetId, &ZRDoc::GetAnalyzedRange),
    ObserverEntry(&DocIds::ManagerEvent6::GetId, &ZRDoc::RemoveAnalysis),
    ObserverEntry(&DocIds::GetStoredRegionEventId, &ZRDoc::RegisterWithAnalysisManager),
    MessageEntry(&DocIds::AnalyzeMessage::GetId, kMessageMaskWholeId, &ZRDoc::OnAnalyzeMessage),
    MessageEntry(&DocIds::CopyToDataPadMessage::GetId, kMessageMaskWholeId, &ZRDoc::OnCopyToDataPadMessage),
    MessageEntry(&DocIds::ClearAnalysisMessage::GetId, kMessageMaskWholeId, &ZRDoc::OnClearAnalysisMessage),
    ObserverEntry(&DocIds::CommentActivatedEvent::GetId, &ZRDoc::OnCommentActivated),
    EventTableEnd(),
};

ILumoClassObject* NewDocumentClass() noexcept {
  ILumoClassObject* made = nullptr;
  ComTry([&] {
    made = static_cast<ICustomDocClass*>(new LumoDocumentClass<ZRDoc>(
        L"Ondara Document", &ZRDocGUID, &kDocumentClassCategory,
        DocIds::DocumentTypeId::Id(), 1, 0));
  });
  return made;
}

}  // namespace ZR::Doc
