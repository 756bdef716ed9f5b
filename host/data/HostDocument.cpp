// The stand-in host's document object over a data document.
#include "host/data/HostDocument.h"

#include "host/data/DataPad.h"
#include "hostapi/CustomDocument.h"

#include <oleauto.h>

#include <string>
#include <utility>

namespace host {

HostPtr<HostDocument> HostDocument::Create(HostPtr<DataDocument> dataDocument) {
  HostPtr<HostDocument> document;
  document.Attach(new HostDocument(std::move(dataDocument)));
  return document;
}

HostDocument::HostDocument(HostPtr<DataDocument> dataDocument)
    : mDataDocument(std::move(dataDocument)),
      mViewCursor(new ViewCursor, false),
      mAnalysisManager(AnalysisManagerObject::Create()) {
  if (mDataDocument) mDataDocument->SetHostDocument(this);
}

HostDocument::~HostDocument() {
  if (mDataDocument) mDataDocument->SetHostDocument(nullptr);
}

HRESULT STDMETHODCALLTYPE HostDocument::SetValue(double) noexcept {
  ++mScaleRequests;
  return S_OK;
}

void* HostDocument::FindInterface(REFIID iid) {
  // The document information the host gives its documents is the host document itself.
  if (iid == IID_IUnknown || iid == IID_IHostDocument || iid == IID_IHostDocumentInfo)
    return static_cast<IHostDocument*>(this);
  if (iid == IID_IHostChildDocumentList) return static_cast<IHostChildDocumentList*>(this);
  if (iid == IID_IHostPersistService) return static_cast<IHostPersistService*>(this);
  if (iid == IID_IHostDataPadSource) return static_cast<IHostDataPadSource*>(this);
  if (iid == IID_IMessageHandler) return static_cast<IMessageHandler*>(this);
  if (iid == IID_IHostDocumentTitle) return static_cast<IHostDocumentTitle*>(this);
  if (iid == IID_IHostObjectContainer) return static_cast<IHostObjectContainer*>(this);
  if (iid == IID_IHostDocumentDisplay) return static_cast<IHostDocumentDisplay*>(&mDisplay);
  if (iid == IID_IHostSamplingProvider && mSamplingProvider.Installed())
    return static_cast<IHostSamplingProvider*>(&mSamplingProvider);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE HostDocument::GetDataPad(IUnknown** pad) noexcept {
  if (!pad) return E_POINTER;
  IHostDataPad* const chosen = mDataPad ? mDataPad.Get() : static_cast<IHostDataPad*>(&TheDataPad());
  chosen->AddRef();
  *pad = chosen;
  return S_OK;
}

int32_t HostDocument::CountChannels(bool calculated) const {
  int32_t count = 0;
  for (const ChannelInfo& channel : mDataDocument->Data().channels)
    if (channel.formula.empty() != calculated) ++count;
  return count;
}

HRESULT STDMETHODCALLTYPE HostDocument::GetDataDocument(IHostDataDocument** document) noexcept {
  if (!document) return E_POINTER;
  *document = nullptr;
  if (!mDataDocument) return E_FAIL;
  IHostDataDocument* const data = mDataDocument.Get();
  data->AddRef();
  *document = data;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDocument::QueryFlag(int32_t flag, VARIANT_BOOL* set) noexcept {
  if (!set) return E_POINTER;
  *set = VARIANT_FALSE;
  if (flag == kHostDocumentFlagSettingsPage) {
    *set = mSettingsBracket ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  if (flag != kHostDocumentFlagSampling) return E_INVALIDARG;
  if (!mDataDocument) return E_FAIL;
  return mDataDocument->GetSamplingState(0, set);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetChannelCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  if (!mDataDocument) return E_FAIL;
  return mDataDocument->GetChannelCount(count);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetRecordedChannelCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = mDataDocument ? CountChannels(false) : 0;
  return mDataDocument ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE HostDocument::GetCalculatedChannelCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = mDataDocument ? CountChannels(true) : 0;
  return mDataDocument ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE HostDocument::GetChannelText(int32_t, int32_t channel, uint32_t,
                                                       BSTR* text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  if (!mDataDocument) return E_FAIL;
  const auto& channels = mDataDocument->Data().channels;
  // The channel after the file's last is the one a user adds a calculated channel as: it is
  // named, like any channel without a title, by its number.
  if (channel < 0 || static_cast<size_t>(channel) > channels.size()) return E_INVALIDARG;
  try {
    std::wstring name = static_cast<size_t>(channel) < channels.size() ? channels[static_cast<size_t>(channel)].title : L"";
    if (name.empty()) name = L"Channel " + std::to_wstring(channel + 1);
    *text = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
    return *text ? S_OK : E_OUTOFMEMORY;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

// An object the host does not have: E_NOTIMPL and null.
static HRESULT NoObject(IUnknown** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  return E_NOTIMPL;
}

// The data document is the data file, its data source and its document object at once.
static HRESULT DataDocumentAs(IHostDataDocument* data, IUnknown** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!data) return E_FAIL;
  data->AddRef();
  *object = data;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE HostDocument::GetDocumentObject(IUnknown** object) noexcept {
  return DataDocumentAs(mDataDocument.Get(), object);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetLinkSource(IUnknown** object) noexcept {
  return NoObject(object);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetHostObjectA(IUnknown** object) noexcept {
  return NoObject(object);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetHostObjectB(IUnknown** object) noexcept {
  return NoObject(object);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetSelection(IHostSelection** selection) noexcept {
  if (!selection) return E_POINTER;
  *selection = nullptr;
  if (!mDataDocument) return E_FAIL;
  return mDataDocument->GetSelection(selection);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetDataSource(int32_t, IUnknown** source) noexcept {
  return DataDocumentAs(mDataDocument.Get(), source);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetFrameInterface(IUnknown** frame) noexcept {
  return NoObject(frame);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetChildObject(uint32_t typeId, int32_t index,
                                                       IUnknown** child) noexcept {
  if (!child) return E_POINTER;
  *child = nullptr;
  for (const Child& entry : mChildren) {
    if (entry.typeId != typeId || index-- != 0) continue;
    entry.document->AddRef();
    *child = entry.document.Get();
    return S_OK;
  }
  if (index == 0 && typeId == ViewCursorTypeId())
    return mViewCursor->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(child));
  if (index == 0 && typeId == AnalysisManagerTypeId())
    return mAnalysisManager->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(child));
  return E_FAIL;
}

HRESULT STDMETHODCALLTYPE HostDocument::BeginSettingsChange() noexcept {
  try {
    mSettingsChangeLog.push_back(L"begin");
    if (mSettingsChangeWatcher) mSettingsChangeWatcher(mSettingsChangeLog.back());
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE HostDocument::EndSettingsChange(double value) noexcept {
  try {
    mSettingsChangeLog.push_back(L"end " + std::to_wstring(static_cast<long long>(value)));
    if (mSettingsChangeWatcher) mSettingsChangeWatcher(mSettingsChangeLog.back());
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

// The persistence object of a child document (GetPersistObject(0, 2)), as its IUnknown.
static HostPtr<IUnknown> PersistObjectOf(IUnknown* document) {
  HostPtr<IUnknown> object;
  auto custom = HostPtr<IUnknown>(document).As<ICustomDocument>(IID_ICustomDocument);
  if (!custom) return object;
  IUnknown* reserved = nullptr;
  HostPtr<IUnknown> answered;
  if (custom->GetPersistObject(0, 2, &reserved, answered.Out()) != S_OK || !answered) return object;
  answered->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(object.Out()));
  return object;
}

HRESULT STDMETHODCALLTYPE HostDocument::RegisterPersistObject(IUnknown* object, IUnknown*, BSTR* name) noexcept {
  if (name) *name = nullptr;
  if (!object) return E_POINTER;
  try {
    HostPtr<IUnknown> identity;
    object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Out()));
    for (size_t i = 0; i < mChildren.size(); ++i) {
      if (PersistObjectOf(mChildren[i].document.Get()).Get() != identity.Get()) continue;
      if (name) *name = SysAllocString((L"Document " + std::to_wstring(i + 1)).c_str());
      for (IUnknown* known : mPersistObjects)
        if (known == identity.Get()) return S_FALSE;
      mPersistObjects.push_back(identity.Get());
      return S_OK;
    }
    return E_INVALIDARG;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

void HostDocument::NotePersistObject(IUnknown* object) {
  HostPtr<IUnknown> identity;
  if (object) object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.Out()));
  if (identity) mPersistObjects.push_back(identity.Get());
}

std::vector<HostDocument::PersistentChild> HostDocument::PersistentChildren() const {
  std::vector<PersistentChild> found;
  for (const Child& entry : mChildren) {
    const HostPtr<IUnknown> object = PersistObjectOf(entry.document.Get());
    for (IUnknown* known : mPersistObjects)
      if (object && known == object.Get()) found.push_back(PersistentChild{entry.typeId, entry.document});
  }
  return found;
}

void HostDocument::AddChildDocument(uint32_t typeId, IUnknown* document) {
  mChildren.push_back(Child{typeId, HostPtr<IUnknown>(document)});
}

ViewSite& HostDocument::Views() {
  if (!mViews) {
    mViews = ViewSite::Create();
    mViews->SetHostDocument(static_cast<IHostDocument*>(this));
  }
  return *mViews.Get();
}

HRESULT HostDocument::OpenView(uint32_t typeId) {
  HostPtr<IDocView2> view;
  return Views().OpenView(typeId, view);
}

HRESULT STDMETHODCALLTYPE HostDocument::GetTitle(BSTR* title) noexcept {
  if (!title) return E_POINTER;
  *title = SysAllocStringLen(mTitle.data(), static_cast<UINT>(mTitle.size()));
  return *title ? S_OK : E_OUTOFMEMORY;
}

void HostDocument::CloseChildDocuments() noexcept {
  if (mViews) {
    mViews->CloseAll();
    mViews->SetHostDocument(nullptr);
    mViews.Reset();
  }
  std::vector<Child> children;
  children.swap(mChildren);
  mPersistObjects.clear();
  mAnalysisManager->ForgetStreams();
  for (const Child& entry : children) {
    // The document lets go of this host document when it is detached.
    if (auto document = entry.document.As<ICustomDocument>(IID_ICustomDocument))
      document->Detach();
  }
}

}  // namespace host
