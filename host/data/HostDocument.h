// The stand-in host's document object: holds one data document and names its channels.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/common/ReservedSlots.h"
#include "host/data/AnalysisManager.h"
#include "host/data/DataDocument.h"
#include "host/data/DocumentDisplayPart.h"
#include "host/data/SamplingProviderPart.h"
#include "host/view/RecordingComments.h"
#include "host/view/ViewCursor.h"
#include "host/view/ViewSite.h"
#include "hostapi/ChildDocumentList.h"
#include "hostapi/DocumentTitle.h"
#include "hostapi/HostDataPad.h"
#include "hostapi/HostDocument.h"
#include "hostapi/MessageHandler.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace host {

// Also the list of the modules' documents kept beside it (IHostChildDocumentList): the host
// holds each until it closes it; and the persistence service (IHostPersistService) that notes
// which of those documents have their settings stream saved with the data file; it names the
// Data Pad its views copy into (IHostDataPadSource); and it handles (IMessageHandler) what the
// modules' documents send their host: comments for the recording view, requests to switch a
// channel calculation off and requests to open a view, which it opens in a frame of its own.
// It answers its title (IHostDocumentTitle), and is its own container (IHostObjectContainer),
// holding its analysis manager as a child.
class HostDocument final
    : public HostObject<IHostDocument, IHostChildDocumentList, IHostPersistService, IHostDataPadSource,
                        IMessageHandler, IHostDocumentTitle, IHostObjectContainer> {
 public:
  // A new host document (one reference) holding the data document.
  static HostPtr<HostDocument> Create(HostPtr<DataDocument> dataDocument);

  // IHostDocument
  HRESULT STDMETHODCALLTYPE GetDataDocument(IHostDataDocument** document) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryFlag(int32_t flag, VARIANT_BOOL* set) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecordedChannelCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCalculatedChannelCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChannelText(int32_t reserved, int32_t channel, uint32_t flags,
                                           BSTR* text) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDocumentObject(IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLinkSource(IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE GetHostObjectA(IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE GetHostObjectB(IUnknown** object) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSelection(IHostSelection** selection) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDataSource(int32_t reserved, IUnknown** source) noexcept override;
  HRESULT STDMETHODCALLTYPE BeginSettingsChange() noexcept override;
  HRESULT STDMETHODCALLTYPE EndSettingsChange(double value) noexcept override;
  // Records the request to scale the calculated channel applied last (see ScaleRequests).
  HRESULT STDMETHODCALLTYPE SetValue(double value) noexcept override;
  // Counted (see CalculationUpdates); the stand-in recomputes a channel when it is read.
  HRESULT STDMETHODCALLTYPE UpdateCalculations(int32_t reserved) noexcept override;
  // Counts the requests (see Triggers).
  HRESULT STDMETHODCALLTYPE Trigger() noexcept override;
  // Channel object 0 is the data document; any other is E_INVALIDARG.
  HRESULT STDMETHODCALLTYPE GetChannelObject(int32_t which, IUnknown** object) noexcept override;

  // IMessageHandler: a show-comment message puts its comment into the recording view; the
  // calculation-off message (kHostAuxClassGuid number kCalcOffMessageNumber) takes the
  // calculation off its channel; the open-view message (0x80010000, request 4, the view class's
  // type id) opens the view. Anything else is not
  // consumed. Every message is noted (Messages).
  int32_t STDMETHODCALLTYPE HandleMessage(IMessage* message) noexcept override;
  HRESULT STDMETHODCALLTYPE AddHandler(IMessageHandler*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveHandler(IMessageHandler*) noexcept override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE SetParent(IMessageHandler*) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetSenderIdentity(IUnknown** identity) noexcept override;
  int32_t STDMETHODCALLTYPE WantsMessage(IMessage*) noexcept override { return 1; }

  // IHostObjectContainer
  HRESULT STDMETHODCALLTYPE ContainerReserved3() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ContainerReserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ContainerReserved5() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ContainerReserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainer(IHostChildDocumentList** container) noexcept override;

  // The analysis manager of this document's data, also its child of the manager's type.
  AnalysisManagerObject& AnalysisManager() noexcept { return *mAnalysisManager.Get(); }
  // Tells every child document of an event (IObserver) with its argument words; the first
  // failure, S_OK when all took it.
  HRESULT NotifyDocuments(uint32_t eventId, const uint32_t* words);
  // The host's broadcast that its documents are open (both words equal).
  HRESULT BroadcastDocumentsOpen() {
    const uint32_t words[2] = {0, 0};
    return NotifyDocuments(kDocumentsOpenEventId, words);
  }
  // The manager asks its clients to report their range, remove or redo their analysis (number
  // kManagerAsk...) with argument; confirm is every client's answer to the question that follows.
  HRESULT AskAnalysisClients(uint16_t number, uint32_t argument, bool confirm);

  // IHostPersistService: the object must be the persistence object of one of the child
  // documents (E_INVALIDARG otherwise); registering it again changes nothing (S_FALSE).
  HRESULT STDMETHODCALLTYPE RegisterPersistObject(IUnknown* object, IUnknown* frame, BSTR* name) noexcept override;

  // IHostDataPadSource: the pad set last, else the application's one Data Pad.
  HRESULT STDMETHODCALLTYPE GetDataPad(IUnknown** pad) noexcept override;
  // The pad copies go to from now on (null: the application's); a reference is kept.
  void SetDataPad(IHostDataPad* pad) noexcept { mDataPad = HostPtr<IHostDataPad>(pad); }

  // IHostDocumentTitle
  HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) noexcept override;

  // IHostChildDocumentList
  HOST_CHILD_LIST_RESERVED_SLOTS
  // The host document has no frame of its own.
  HRESULT STDMETHODCALLTYPE GetFrameInterface(IUnknown** frame) noexcept override;
  HRESULT STDMETHODCALLTYPE GetChildObject(uint32_t typeId, int32_t index,
                                           IUnknown** child) noexcept override;

  // Keeps a module's document (one reference) as a child of that type id.
  void AddChildDocument(uint32_t typeId, IUnknown* document);
  // Closes the open views, then detaches every child document (ICustomDocument slot 5) and
  // lets it go.
  void CloseChildDocuments() noexcept;
  // The site of the views opened over this document; made on first use.
  ViewSite& Views();
  // Opens a view of the view class registered under typeId in a frame of its own.
  HRESULT OpenView(uint32_t typeId);
  // The title the host shows (the data file's name); "Untitled" until one is given.
  void SetTitle(const std::wstring& title) { mTitle = title; }
  // The recording view's cursor, also a child object of its type id.
  ViewCursor& RecordingViewCursor() noexcept { return *mViewCursor.Get(); }
  // How often a calculation asked the document to scale its channel to the values it shows;
  // the stand-in has no channel display to scale.
  int32_t ScaleRequests() const noexcept { return mScaleRequests; }
  int32_t CalculationUpdates() const noexcept { return mCalculationUpdates; }
  // The recording view's comments: those the modules asked it to show, in order.
  RecordingComments& RecordingView() noexcept { return mRecordingView; }
  // The channels whose calculation a module switched off, in order.
  const std::vector<int32_t>& SwitchedOffCalculations() const noexcept { return mSwitchedOff; }
  int32_t Triggers() const noexcept { return mTriggers; }
  // A message the document took: id, flags, argument, data words and values.
  struct NotedMessage {
    uint32_t id;
    uint32_t flags;
    uint32_t argument;
    uint32_t data[2];
    std::vector<double> values;
  };
  const std::vector<NotedMessage>& Messages() const noexcept { return mMessages; }

  // The child documents whose persistence object is registered, with their type ids.
  struct PersistentChild {
    uint32_t typeId;
    HostPtr<IUnknown> document;
  };
  std::vector<PersistentChild> PersistentChildren() const;
  // Notes the persistence object of a document the host loaded from a file as registered.
  void NotePersistObject(IUnknown* object);
  // The settings-page flag (QueryFlag 1); off at first.
  void SetSettingsPageFlag(bool on) noexcept { mSettingsBracket = on; }
  // What the bracket calls did, in order ("begin", "end 0"), for the host's diagnostics.
  const std::vector<std::wstring>& SettingsChangeLog() const noexcept { return mSettingsChangeLog; }
  // Called with each entry as it is logged, to look at the data file inside the bracket.
  void OnSettingsChange(std::function<void(const std::wstring&)> watcher) { mSettingsChangeWatcher = std::move(watcher); }
  // The sampling control the document offers its previews (none at first: it cannot sample).
  SamplingProviderPart& SamplingProvider() noexcept { return mSamplingProvider; }
  DocumentDisplayPart& Display() noexcept { return mDisplay; }

 private:
  explicit HostDocument(HostPtr<DataDocument> dataDocument);
  ~HostDocument() override;
  void* FindInterface(REFIID iid) override;
  // Channels with (calculated true) or without a formula.
  int32_t CountChannels(bool calculated) const;
  void NoteMessage(IMessage* message);

  HostPtr<DataDocument> mDataDocument;
  int32_t mScaleRequests = 0;
  int32_t mCalculationUpdates = 0;
  RecordingComments mRecordingView;
  std::vector<int32_t> mSwitchedOff;
  int32_t mTriggers = 0;
  std::vector<NotedMessage> mMessages;
  struct Child {
    uint32_t typeId;
    HostPtr<IUnknown> document;
  };
  std::vector<Child> mChildren;
  HostPtr<ViewCursor> mViewCursor;
  HostPtr<AnalysisManagerObject> mAnalysisManager;
  HostPtr<IHostDataPad> mDataPad;
  // Identities of registered persistence objects (owned by their documents, dropped on close).
  std::vector<IUnknown*> mPersistObjects;
  bool mSettingsBracket = false;
  std::vector<std::wstring> mSettingsChangeLog;
  // The site holds this document while views are open; CloseChildDocuments lets it go.
  HostPtr<ViewSite> mViews;
  std::wstring mTitle = L"Untitled";
  std::function<void(const std::wstring&)> mSettingsChangeWatcher;
  SamplingProviderPart mSamplingProvider{*static_cast<IHostDocument*>(this)};
  DocumentDisplayPart mDisplay{*static_cast<IHostDocument*>(this)};
};

}  // namespace host
