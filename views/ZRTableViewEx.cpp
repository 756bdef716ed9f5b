// ZRTableViewEx: the window with its buttons, the grid made through the document's manager, the
// refresh from the settings and the three commands.
#include "views/ZRTableViewEx.h"

#include "document/SettingIds.h"
#include "document/SettingsStore.h"
#include "document/TableViewData.h"
#include "document/ZRDoc.h"
#include "document/ZRSetting_Bool.h"
#include "document/ZRSettingIO.h"
#include "grid/ITableViewManager.h"
#include "hostapi/MessageHandler.h"
#include "hostclient/DocViewIds.h"
#include "hostclient/EventTableEntries.h"
#include "hostclient/HostDocumentTitle.h"
#include "hostclient/HostProgress.h"
#include "hostclient/LumoProxyEventHandler.h"
#include "platform/owl/TButton.h"
#include "platform/owl/TDC.h"
#include "platform/owl/TFont.h"
#include "platform/owl/TModule.h"
#include "platform/uihelpers/ScreenDpi.h"
#include "views/TableViewExport.h"
#include "views/ViewStringIds.h"

#include <memory>

namespace {

using HostRefreshNotice = TypeIdClass<&HostNotifyMsgGUID, 8>;

using ZR::Doc::kSettingSummaryRows;
using ZR::Doc::kSettingSettingsTab;
using ZR::Doc::kSettingShowLatestRow;
constexpr int kCalculationsTab = 2;
constexpr uint32_t kLayoutWithSummary = 0x27A;
constexpr uint32_t kLayoutWithoutSummary = 0x278;

// The one font of every Table View's buttons, made when the first view sets up its window.
std::unique_ptr<OWL::TFont>& SharedButtonFont() {
  static std::unique_ptr<OWL::TFont> font;
  return font;
}

QOR::String LoadedText(UINT id) { return QOR::String(OWL::TModule::Default().LoadString(id).c_str()); }

OWL::TButton* NewButton(OWL::TWindow* parent, int id, UINT text) {
  auto* const button = new OWL::TButton(parent, id, OWL::TModule::Default().LoadString(text).c_str(), 0, 0, 1, 1);
  button->Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CENTER;
  return button;
}

// Sets a guard for its life, unless it was set already.
class GuardScope {
 public:
  explicit GuardScope(bool& guard) noexcept : mGuard(guard), mSet(!guard) { mGuard = true; }
  ~GuardScope() {
    if (mSet) mGuard = false;
  }
  GuardScope(const GuardScope&) = delete;
  GuardScope& operator=(const GuardScope&) = delete;

 private:
  bool& mGuard;
  bool mSet;
};

}  // namespace

LUMO_DEFINE_EVENT_TABLE(ZRTableViewEx, ZRViewBase){
    EventTableHead(),
    ObserverEntry(&HostRefreshNotice::GetId, &ZRTableViewEx::OnRefreshNotice),
    MessageEntry(&HostFixedId<kCopyMessageId>, kMessageMaskWholeId, &ZRTableViewEx::PassToGrid),
    MessageEntry(&HostFixedId<kPrintMessageId>, kMessageMaskWholeId, &ZRTableViewEx::PassToGrid),
    MessageEntry(&HostFixedId<kPrintPreviewMessageId>, kMessageMaskWholeId, &ZRTableViewEx::PassToGrid),
    MessageEntry(&HostFixedId<kSelectAllMessageId>, kMessageMaskWholeId, &ZRTableViewEx::OnSelectAll),
    CommandStateEntry(&HostFixedId<kQuickPrintCommandId>, &ZRTableViewEx::CeAlwaysEnabled),
    CommandStateEntry(&HostFixedId<kSelectAllCommandId>, &ZRTableViewEx::CeSelectAll),
    EventTableEnd(),
};

DEFINE_RESPONSE_TABLE1(ZRTableViewEx, ZRViewBase)
  EV_WM_SIZE,
  EV_WM_ERASEBKGND,
  EV_COMMAND(kTableExportButton, OnExport),
  EV_COMMAND(kTableSettingsButton, OnSettings),
  EV_COMMAND(kTableDataPadButton, OnAddToDataPad),
END_RESPONSE_TABLE;

ZRTableViewEx::ZRTableViewEx(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
                             OWL::TModule* module)
    : ZRViewBase(parent, viewClass, view, owner, module),
      mExport(NewButton(this, kTableExportButton, IDS_TV_BUTTON_EXPORT)),
      mSettings(NewButton(this, kTableSettingsButton, IDS_TV_BUTTON_SETTINGS)),
      mDataPad(NewButton(this, kTableDataPadButton, IDS_TV_BUTTON_DATA_PAD)) {
  Attr.Style |= WS_CLIPCHILDREN | WS_TABSTOP;
  Title = L"Ondara TableViewEx";
}

ZRTableViewEx::~ZRTableViewEx() {
  // A window ended without its clean-up must not leave the grid behind in the manager, nor the
  // view in the document.
  if (ComPtr<ITableViewManager> manager = Manager()) manager->DestroyView(0);
  if (Document()) Document()->DetachView(this);
}

uint32_t ZRTableViewEx::ViewMessageId() noexcept { return DocIds::OpenTableViewMessage::Id(); }

void ZRTableViewEx::GetWindowClass(WNDCLASSEXW& windowClass) {
  ZRViewBase::GetWindowClass(windowClass);
  windowClass.style |= CS_HREDRAW | CS_VREDRAW;
}

OWL::TButton& ZRTableViewEx::Button(int id) const noexcept {
  if (id == kTableExportButton) return *mExport;
  return id == kTableSettingsButton ? *mSettings : *mDataPad;
}

ComPtr<ITableViewManager> ZRTableViewEx::Manager() const {
  ComPtr<ITableViewManager> manager;
  if (Document()) Document()->GetTableViewManager(manager.Out());
  return manager;
}

bool ZRTableViewEx::Setting(ZR::Doc::SettingId id) const {
  const ZR::Doc::ZRSetting_Bool* const setting = Document() ? Document()->GetSettings().GetBoolSetting(id) : nullptr;
  return setting && setting->Get();
}

int32_t ZRTableViewEx::RowCount(uint32_t section) const {
  ZR::TableViewData* const data = Document() ? Document()->GetTableViewData() : nullptr;
  int32_t count = 0;
  if (!data || FAILED(static_cast<ITableStoredRowInfo*>(data)->GetRowCount(section, &count))) return 0;
  return count;
}

void ZRTableViewEx::SetupWindow() {
  const WaitCursor wait;
  ZR::Doc::ZRDoc* const document = Document();
  ZR::TableViewData* const data = document ? document->GetTableViewData() : nullptr;
  ComPtr<ITableViewManager> manager = Manager();
  if (manager) {
    // The grid registers its own handler below the view's, so that what the view passes on
    // reaches the grid's table view.
    IMessageHandler* const handler = Proxy();
    manager->CreateView(kLayoutWithSummary, GetHandle(), Owner(), handler, data,
                        data ? static_cast<ITableStoredRowInfo*>(data) : nullptr, this, 0);
    manager->SetShowLatestRow(0, Setting(kSettingShowLatestRow) ? VARIANT_TRUE : VARIANT_FALSE);
  }
  ZRViewBase::SetupWindow();
  if (document) document->AttachView(this);
  std::unique_ptr<OWL::TFont>& font = SharedButtonFont();
  if (!font) font = std::make_unique<OWL::TFont>(L"Tahoma", QOR::ScaleForDpi(13, QOR::ScreenDpi()));
  for (OWL::TButton* button : {mExport, mSettings, mDataPad}) button->SetWindowFont(*font, false);
  // The first size came before the grid and the buttons had windows.
  LayOut();
}

void ZRTableViewEx::CleanupWindow() {
  if (ComPtr<ITableViewManager> manager = Manager()) manager->DestroyView(0);
  if (Document()) Document()->DetachView(this);
  ZRViewBase::CleanupWindow();
}

QOR::String ZRTableViewEx::GetCopyCommandName() {
  static const QOR::String kName = LoadedText(IDS_TV_COPY_COMMAND);
  return kName;
}

QOR::String ZRTableViewEx::GetPrintCommandName() {
  static const QOR::String kName = LoadedText(IDS_TV_PRINT_COMMAND);
  return kName;
}

QOR::String ZRTableViewEx::GetCaption() { return DocumentViewTitle(HostDocument(), ViewName()); }

void ZRTableViewEx::Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) {
  FillRect(dc.GetHDC(), &rect, GetSysColorBrush(COLOR_BTNFACE));
  ZRViewBase::Paint(dc, erase, rect);
}

void ZRTableViewEx::EvSize(UINT sizeType, const OWL::TSize& size) {
  ZRViewBase::EvSize(sizeType, size);
  LayOut();
}

void ZRTableViewEx::LayOut() {
  ComPtr<ITableViewManager> manager = Manager();
  const OWL::TRect client = GetClientRect();
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  if (w == 0 && h == 0) {
    if (manager) manager->SetViewLayout(0, 0, 0, 0, 0, 60, 100, 100);
    return;
  }
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  // The button row's sizes are pixels at 96 dpi, scaled to the screen like the dialogs' controls;
  // the column width stays in those pixels: the grid scales it and keeps it so in documents.
  const int dpi = QOR::ScreenDpi();
  const auto at = [dpi](int pixels) { return QOR::ScaleForDpi(pixels, dpi); };
  const int top = h - at(31);
  mExport->SetWindowPos(nullptr, OWL::TRect(at(8), top, at(8 + 75), top + at(23)), flags);
  mSettings->SetWindowPos(nullptr, OWL::TRect(at(89), top, at(89 + 75), top + at(23)), flags);
  mDataPad->SetWindowPos(nullptr, OWL::TRect(at(170), top, at(170 + 112), top + at(23)), flags);
  if (manager) manager->SetViewLayout(0, 0, 0, w, h - at(39), 60, 100, 100);
}

void ZRTableViewEx::Refresh() {
  ComPtr<ITableViewManager> manager = Manager();
  if (!manager) return;
  const bool summary = Setting(kSettingSummaryRows);
  manager->UpdateLayout(summary ? kLayoutWithSummary : kLayoutWithoutSummary);
  manager->SetShowLatestRow(0, Setting(kSettingShowLatestRow) ? VARIANT_TRUE : VARIANT_FALSE);
  if (summary)
    if (ZR::TableViewData* const data = Document()->GetTableViewData()) data->ComputeSummary();
  manager->RefreshColumns(0);
}

void ZRTableViewEx::SelectEventRow(uint32_t event) {
  const GuardScope guard(mEventRowGuard);
  if (ComPtr<ITableViewManager> manager = Manager())
    manager->SelectRows(0, static_cast<int32_t>(event) + 1, static_cast<int32_t>(event) + 2);
}

int ZRTableViewEx::OnSelectAll() {
  const GuardScope rows(mEventRowGuard);
  const GuardScope sections(mSelectionGuard);
  if (ComPtr<ITableViewManager> manager = Manager()) {
    manager->SelectRows(0x28, 1, RowCount(kTableMainSection));
    manager->SelectRows(0x30, 1, RowCount(kTableSummarySection));
  }
  return 1;
}

// Select All has something to select while the table shows an event row.
void ZRTableViewEx::CeSelectAll(ICommandState*& state) {
  state->SetEnabled(RowCount(kTableMainSection) > 1 ? VARIANT_TRUE : VARIANT_FALSE);
}

void ZRTableViewEx::CeAlwaysEnabled(ICommandState*& state) { state->SetEnabled(VARIANT_TRUE); }

void ZRTableViewEx::OnExport() {
  if (Document()) RunTableViewExport(GetHandle(), *Document());
}

void ZRTableViewEx::OnSettings() {
  ZR::Doc::ZRDoc* const document = Document();
  if (!document) return;
  if (auto* const tab = document->GetSettings().GetIntSetting(kSettingSettingsTab)) tab->Set(kCalculationsTab);
  document->RunSettingsDialog(1, nullptr);
}

void ZRTableViewEx::OnAddToDataPad() {
  ZR::Doc::ZRDoc* const document = Document();
  if (!document) return;
  const FrameworkMessageDesc description{DocIds::CopyToDataPadMessage::Id(), 0, {0, 0}};
  // The document shows what goes wrong; the answer is not used.
  SendFrameworkMessage(description, *this, static_cast<ICustomDocument2*>(document), 0);
}
