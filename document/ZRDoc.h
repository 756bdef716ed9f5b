// ZR::Doc::ZRDoc: the module's analysis document, one per host data document: the settings, the
// detection state, the marker objects in the data file, the view slots and the analysis runs.
#pragma once

#include "base/String.h"
#include "base/UnitPrefix.h"
#include "document/PersistSettings.h"
#include "document/SettingIds.h"
#include "hostapi/DocumentSettings.h"
#include "hostapi/DocumentTableScript.h"
#include "hostapi/HostMenu.h"
#include "hostapi/LumoClassObject.h"
#include "hostapi/OnlineData.h"
#include "hostclient/AnalysisClientBase.h"
#include "hostclient/ScrivoChildDocument.h"

#include <cstdint>
#include <memory>

struct ITableDataManager;
struct ICommandState;
struct ITableViewManager;
namespace OWL {
class TWindow;
}

namespace ZR {
class TableViewData;
}

namespace ZR::Doc {

class AnalysisViewData;
class CycleDetector;
struct CycleEvent;
class DocumentView;
class ParamCatalogue;
class SettingsStore;

// {33F1D6AB-6731-43EE-B957-A9FABB1635B4}: identifies the object as this module's document.
inline constexpr GUID IID_IZRDocInterface = {
    0x33F1D6AB, 0x6731, 0x43EE, {0xB9, 0x57, 0xA9, 0xFA, 0xBB, 0x16, 0x35, 0xB4}};
struct IZRDocInterface : IUnknown {};

// A start or end of an analysed region: record, then tick within it.
struct RegionPosition {
  int32_t record = 0;
  int32_t tick = 0;
  bool operator==(const RegionPosition& o) const noexcept { return record == o.record && tick == o.tick; }
};

// Flags of ZRDoc::SetCurrentEvent.
inline constexpr uint32_t kSelectTableRow = 0x80000000u;   // the Table View selects the event's row
inline constexpr uint32_t kMoveHostView = 0x40000000u;     // the host's view goes to the event's time
inline constexpr uint32_t kShowInHost = 0x20000000u;       // the host's view shows the event's comment
inline constexpr uint32_t kShowInHostExtra = 0x10000000u;  // passed on with kShowInHost

// Everything runs on the host's user-interface thread.
class ZRDoc final : public AnalysisManager::AnalysisClientBase,
                    public ScrivoChildDocument,
                    public IOnlineDataSink,
                    public IZRDocInterface,
                    public IDocumentSettingsScript,
                    public IDocumentTableScript {
 public:
  // hostObject is the host document the class object was given; classObject that class.
  ZRDoc(IUnknown* hostObject, IUnknown* classObject, uint32_t flags);

  QOR_BEGIN_INTERFACE_MAP(ZRDoc)
  QOR_INTERFACE_ENTRY(ICustomDocument2, IID_ICustomDocument2)
  QOR_INTERFACE_ENTRY(IZRDocInterface, IID_IZRDocInterface)
  QOR_INTERFACE_ENTRY(IOnlineDataSink, IID_IOnlineDataSink)
  QOR_INTERFACE_ENTRY(IDocumentSettingsScript, IID_IDocumentSettingsScript)
  QOR_INTERFACE_ENTRY(IDocumentTableScript, IID_IDocumentTableScript)
  QOR_BLIND_ROUTINE(&QueryDocumentBase, 0)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()
  LUMO_DECLARE_EVENT_TABLE();

  // The module's document of a host document, with a reference; null when it has none.
  static ZRDoc* FromHostDocument(IUnknown* hostDocument) noexcept;
  // The peak number of a comment the module wrote ("ZR: Peak N" or "ZR: Population Spike N").
  static bool ParsePeakComment(const wchar_t* text, long& number) noexcept;
  // Adds the module's entries to the host menu under root.
  static void AddHostMenus(IHostMenuList* root);

  // ICustomDocument2
  HRESULT STDMETHODCALLTYPE Detach() noexcept override;
  HRESULT STDMETHODCALLTYPE OnDataAttached() noexcept override;
  // Request 0 of kind 2 answers the settings stream's object (S_OK); anything else null, S_FALSE.
  HRESULT STDMETHODCALLTYPE GetPersistObject(uint32_t request, uint32_t kind, IUnknown** reserved,
                                             IUnknown** object) noexcept override;

  // IOnlineDataSink: registered while analysis while sampling is on.
  HRESULT STDMETHODCALLTYPE GetSinkInfo(uint32_t* options, uint16_t* channelMask) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSamplingStart() noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t record, VARIANT_BOOL sampled) noexcept override;
  HRESULT STDMETHODCALLTYPE OnNewData(int32_t record, int32_t tickCount) noexcept override;
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t record, int32_t tickCount) noexcept override;
  HRESULT STDMETHODCALLTYPE OnSamplingStop() noexcept override;
  HRESULT STDMETHODCALLTYPE SinkNotify(int32_t, int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(int32_t* priority) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUpdatePercent(int32_t* percent) noexcept override;
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) noexcept override { return this; }

  // IDocumentSettingsScript
  HRESULT STDMETHODCALLTYPE SetSettingText(int32_t number, const wchar_t* text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSettingErrorText(int32_t number, QOR::IQORString** text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSettingText(int32_t number, QOR::IQORString** text) noexcept override;
  // IDocumentTableScript
  HRESULT STDMETHODCALLTYPE ExportTableFile(const wchar_t* fileName) noexcept override;

  // The store kept with the data file (made over the catalogue when the file keeps none).
  SettingsStore& GetSettings();
  // The analysis channel's settings group exists, with the host document handed to every group.
  void EnsureChannelGroup();
  void ResetSettingsToDefaults();
  PersistSettings& SettingsPersistence() noexcept { return mPersist; }
  // Hands the settings stream to the host's persistence service once (not when it was loaded).
  void RegisterSettingsPersistence();
  bool PersistenceRegistered() const noexcept { return mPersistRegistered; }
  // After a change of the analysis: the analysis manager hears of it when it follows this
  // document, the settings are dirty and their stream registered.
  void ResetHostState();

  // The analysis-manager client. Describe: finds the manager from the host document again,
  // registers ("Ondara") and offers the settings stream; true when the manager took it.
  bool DescribeAnalysisClient();
  // The manager's requests (their word is the manager's): report the stored region, remove the
  // analysis or analyse again when the manager confirms it for this document.
  void GetAnalyzedRange(uint32_t argument);
  void RemoveAnalysis(uint32_t argument);
  void ReanalyzeRequest(uint32_t argument);
  // The host's first broadcast with equal words registers the document with the manager and
  // analyses an existing analysis again.
  void RegisterWithAnalysisManager(uint32_t a, uint32_t b);
  // Opens the settings dialog at page over a copy of the settings; OK applies the copy and
  // analyses again. parent null: the host frame's window.
  void RunSettingsDialog(int page, OWL::TWindow* parent);
  // Opens a topic of the host's help through the document's frame; false without a help frame.
  bool ShowHelpTopic(const wchar_t* topic);
  // Null until a host data document is attached.
  CycleDetector* GetCycleDetector();
  // The units of the analysis channel (setting 2001) in the record (-2: the whole channel), as
  // the host gives them; empty without a data document. Also while sampling, before any run.
  QOR::UnitWithPrefix GetSourceChannelUnits(int32_t record = -2);
  // With a reference; S_OK, or E_FAIL without an attached data document.
  HRESULT GetTableViewManager(ITableViewManager** manager);
  // The Table View's data over the cycle detector, made on first use; the document keeps one
  // reference. Null until a host data document is attached.
  TableViewData* GetTableViewData();
  // The Table View's export to a chosen name: the grid's CSV export for the extension "csv"
  // (after the last '.', letter case counting; a name without '.' is compared whole), the text
  // export otherwise. S_OK, S_FALSE when cancelled, else the failure; E_FAIL without a data file.
  HRESULT ExportTable(const QOR::String& fileName);

  // Views (the Analysis View in slot 0, the Table View in slot 1) are driven by direct calls.
  void AttachView(DocumentView* view);
  void DetachView(DocumentView* view) noexcept;
  // Invalidates and refreshes the attached views, Analysis View first.
  void UpdateViews();

  // Marker objects of the data file (ids in settings 2023, 2024, 2025).
  void CreateHostMarkers();
  void DeleteHostMarkers();
  void AttachPeakMarkers();
  void DetachPeakMarkers();
  void SetMarkerObjectState(bool on);

  // Analysis runs. RunAnalysis is true when a run took place (also when it was cancelled or
  // failed part way), false when refused: already running, no detector for the settings, or a
  // region that is empty, inverted or negative.
  bool RunAnalysis(bool useStoredRegion, bool markerState);
  void AnalyzeCurrentRegion();
  void ClearResults();
  void ResetRegion();
  void Reanalyze();
  void ClearAnalysis();
  void SetAnalyzeWhileSampling(bool on, bool storeSetting);
  void UpdateOnlineSinkRegistration();
  bool IsAnalyzeWhileSampling();
  bool HasAnalysis();

  // The event the views show; flags kSelectTableRow, kMoveHostView, kShowInHost and
  // kShowInHostExtra.
  void SetCurrentEvent(uint32_t event, uint32_t flags);
  // Shows the current event's comment in the host's view as kShowInHost does; nothing when the
  // current event is past the events.
  void ShowCurrentEventInHost();
  // Switches off the module's channel calculations whose measurement the analysis type does not
  // offer (message 118 when any was) and has the others take their settings again. Inside a
  // host notification, a command or an analysis run it runs once, when that ends.
  void CheckChannelCalculations();

  uint32_t CurrentEvent() const noexcept { return mCurrentEvent; }
  // The analysis channel's name as the data file gives it; empty without one.
  QOR::String GetSourceChannelName();
  // What the Analysis View draws of the current event.
  AnalysisViewData& GetAnalysisViewData() noexcept { return *mViewData; }
  // Host notification: the user activated a comment; the event its text names ("ZR: Peak N",
  // counting from 1) becomes current. Word 0 is the comment; the other words are the view's.
  void OnCommentActivated(uint32_t comment, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                          uint32_t, uint32_t);
  bool Sampling() const noexcept { return mSampling; }

 private:
  ~ZRDoc() override;
  static HRESULT QueryDocumentBase(void* object, REFIID iid, void** out, std::uintptr_t) noexcept;

  int OnAnalyzeMessage();
  int OnClearAnalysisMessage();
  // Host notifications: data changed at a position (tick, record), marker objects, channel data.
  void OnDataChangedAt(uint32_t tick, uint32_t record);
  void OnDataChangedAtDetach(uint32_t tick, uint32_t record);
  void DataChangedAt(int32_t tick, int32_t record);
  void OnMarkersNotice();
  void OnChannelDataChanged(uint32_t channel);
  int OnCopyToDataPadMessage();

  // The "Ondara" menu's commands and the rules that enable, check and name its items.
  void CmSettings();
  void CmAnalysisView();
  void CmTableView();
  void CmShowPeakMarkers();
  void CmAnalyzeWhileSampling();
  void CmReselectAnalyzedData();
  void CmClearAnalysis();
  void CmAnalyze();
  void CmHelp();
  void CeAlwaysEnabled(ICommandState*& state);
  void CeAnalyze(ICommandState*& state);
  void CeAnalyzeWhileSampling(ICommandState*& state);
  void CeShowPeakMarkers(ICommandState*& state);
  void CeReselectAnalyzedData(ICommandState*& state);
  void CeClearAnalysis(ICommandState*& state);
  bool HasEvents();
  bool SettingsPageFlag();
  void SendToSelf(uint32_t id, uint32_t word0, uint32_t word1);
  void OnChannelChanged(uint32_t channel, uint32_t flags);
  void OnChannelSettingsChanged(uint32_t, uint32_t, uint32_t channel);
  // True when the analysis channel follows channel (results cleared or analysed again).
  bool ChannelChange(int32_t channel, uint32_t flags);

  bool GetBool(SettingId id);
  void SetBool(SettingId id, bool on);
  void SetRegion(RegionPosition start, RegionPosition end);
  RegionPosition DataEnd();
  bool HostSampling();
  // Shows a message of the string table over the active window; answers the button.
  int ShowMessage(uint32_t textId, UINT type, HWND owner = nullptr);
  // The records of the region, pulled in chunks under the progress object; false when cancelled
  // or failed (results then cleared).
  bool PullRegion(RegionPosition start, RegionPosition end, bool& cancelled);
  void MarkerAction(bool attach);
  void AnnounceDetectorObject();
  void RefreshView(int slot);
  void AnalyseNewData();
  void StartSampling();
  void MoveHostView(const CycleEvent& event);
  void ShowEventInHost(const CycleEvent& event, bool extra);
  // Runs body with the channel-calculation checks it asks for held back, then checks once.
  template <class Body>
  void BatchChannelChecks(Body&& body) {
    ++mCheckDepth;
    try {
      body();
    } catch (...) {
      if (--mCheckDepth == 0) mCheckPending = false;
      throw;
    }
    EndCheckBatch();
  }
  void EndCheckBatch();
  void RunChannelCheck();
  bool SwitchCalculationOff(int32_t channel);
  // The manager holds the settings stream or the settings came from the file.
  bool ManagerKnowsSettings() const noexcept;
  // The manager's answer to its pending request for this document; false without one.
  bool ManagerConfirms();
  bool Analyse(bool useStoredRegion, bool markerState);
  // Keeps the analysis channel with the data file's child data, where the host's drawing of the
  // events and the channel calculations find its unit.
  void StoreAnalysedChannel();
  void ClearResultsNow();
  void SwitchAnalyzeWhileSampling(bool on, bool storeSetting);

  std::unique_ptr<ParamCatalogue> mCatalogue;
  std::unique_ptr<AnalysisViewData> mViewData;
  std::unique_ptr<CycleDetector> mDetector;
  PersistSettings mPersist{*this};
  bool mPersistRegistered = false;
  bool mBroadcastPending = true;
  bool mNotifyManager = true;  // ResetHostState tells the analysis manager of changes
  ComPtr<ITableViewManager> mTableManager;
  ComPtr<ITableDataManager> mTableDataRef;  // the reference held on mTableData
  TableViewData* mTableData = nullptr;
  bool mSampling = false;
  bool mRunning = false;
  // Analysis while sampling: the record sampling writes, whether its data is analysed, whether
  // detection must first start at its tick 0, and how many ticks it holds.
  bool mRestartRecord = false;
  int32_t mSampledRecord = -1;
  bool mRecordSampling = false;
  bool mRecordActive = false;
  int32_t mTicksInRecord = 0;
  uint32_t mCurrentEvent = 0;
  int mCheckDepth = 0;         // nesting of batches holding channel-calculation checks back
  bool mCheckPending = false;  // a held-back check waits for the outermost batch's end
  struct ViewSlot {
    bool attached = false;
    DocumentView* view = nullptr;
  };
  ViewSlot mViews[2];
};

// A new document class object "Ondara Document" with a count of 0, or null.
ILumoClassObject* NewDocumentClass() noexcept;

}  // namespace ZR::Doc
