// ZRTableViewEx: the window of the Table View: the grid of detected peaks and summary rows above
// the buttons "Export...", "Settings..." and "Add to Data Pad". It wires the document's grid
// manager to its table data, follows and sets the current event, and receives the grid's
// user actions.
#pragma once

#include "document/SettingIds.h"
#include "grid/TableDataContract.h"
#include "hostclient/ComPtr.h"
#include "views/ZRViewBase.h"

#include <cstdint>

struct ITableViewManager;

namespace OWL {
class TButton;
}

// Button ids.
inline constexpr int kTableExportButton = 1000;
inline constexpr int kTableSettingsButton = 1001;
inline constexpr int kTableDataPadButton = 1002;

class ZRTableViewEx final : public ZRViewBase, public ITableUserActionHandler {
 public:
  ZRTableViewEx(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
                OWL::TModule* module);
  ~ZRTableViewEx() override;

  // The id the host opens this view by (the type id of its view class).
  static uint32_t ViewMessageId() noexcept;
  int DocumentSlot() const noexcept override { return 1; }

  const wchar_t* GetClassName() override { return L"QOR::Ondara Table View"; }
  void GetWindowClass(WNDCLASSEXW& windowClass) override;
  void SetupWindow() override;
  void CleanupWindow() override;
  QOR::String GetCopyCommandName() override;
  QOR::String GetPrintCommandName() override;
  // Layout flags, the latest-row switch, the summary and the columns from the settings.
  void Refresh() override;
  // The document's title, ": " and the view's name.
  QOR::String GetCaption() override;
  // The grid shows the table; the view draws nothing into printouts or pictures of its own.
  void Render(OWL::TDC&, OWL::TDC*, const OWL::TRect&) override {}
  void SelectEventRow(uint32_t event) override;

  // ITableUserActionHandler: counted without owning the view (the host's view wrapper ends it).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  HRESULT STDMETHODCALLTYPE OnSelectionChanged(uint32_t flags, const TableSelectionRecord* records,
                                               int32_t count) noexcept override;
  HRESULT STDMETHODCALLTYPE OnCellClick(uint32_t flags, int32_t row, int32_t column) noexcept override;
  HRESULT STDMETHODCALLTYPE OnCellAction(uint32_t, int32_t, int32_t, uintptr_t) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE OnCellActionValue(uint32_t, int32_t, int32_t, int32_t, int32_t) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE OnShowLatestRowChanged(uint32_t, VARIANT_BOOL on) noexcept override;

  OWL::TButton& Button(int id) const noexcept;

  LUMO_DECLARE_EVENT_TABLE();

 protected:
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;

 private:
  ComPtr<ITableViewManager> Manager() const;
  bool Setting(ZR::Doc::SettingId id) const;
  int32_t RowCount(uint32_t section) const;

  void EvSize(UINT sizeType, const OWL::TSize& size);
  // Buttons on one line at the bottom, the grid above them.
  void LayOut();
  bool EvEraseBkgnd(HDC) { return true; }
  void OnExport();
  void OnSettings();
  void OnAddToDataPad();
  void OnRefreshNotice() { Refresh(); }
  // Copy, print and preview go on to the grid's own table view.
  int PassToGrid() { return 1; }
  int OnSelectAll();
  void CeSelectAll(ICommandState*& state);
  void CeAlwaysEnabled(ICommandState*& state);

  OWL::TButton* mExport;
  OWL::TButton* mSettings;
  OWL::TButton* mDataPad;
  bool mEventRowGuard = false;
  bool mSelectionGuard = false;
  LONG mActionRefs = 0;

  DECLARE_RESPONSE_TABLE(ZRTableViewEx);
};
