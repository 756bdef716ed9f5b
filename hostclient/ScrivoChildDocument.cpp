// ScrivoChildDocument: fetching the host objects at construction and letting go at detach.
#include "hostclient/ScrivoChildDocument.h"

#include "hostapi/RecordData.h"

namespace {
// {8C9C3423-CD9C-11D1-B2EA-00600894D72A}: the link interface of the host's link source.
constexpr GUID kHostLinkIid = {
    0x8C9C3423, 0xCD9C, 0x11D1, {0xB2, 0xEA, 0x00, 0x60, 0x08, 0x94, 0xD7, 0x2A}};
}  // namespace

ScrivoChildDocument::ScrivoChildDocument(IUnknown* hostObject, IUnknown* classObject,
                                         uint32_t flags)
    : LumoDocument(hostObject, classObject, flags) {
  if (hostObject) hostObject->QueryInterface(IID_IHostDocument, mHostDocument.OutVoid());
  if (mHostDocument) FetchHostObjects();
}

ScrivoChildDocument::~ScrivoChildDocument() { mHostDocument.Reset(); }

// The results are not examined: a missing object leaves its field null.
void ScrivoChildDocument::FetchHostObjects() {
  mHostDocument->GetDocumentObject(mDocumentObject.Out());
  ComPtr<IUnknown> linkSource;
  mHostDocument->GetLinkSource(linkSource.Out());
  if (linkSource) linkSource->QueryInterface(kHostLinkIid, mHostLink.OutVoid());
  mHostDocument->GetSelection(mSelection.Out());
  mHostDocument->GetHostObjectA(mHostObjectA.Out());
  mHostDocument->GetHostObjectB(mHostObjectB.Out());
  mHostDocument->GetDataDocument(mDataDocument.Out());
  mHostDocument->GetDataSource(0, mDataSource.Out());
  if (mDataDocument &&
      SUCCEEDED(mDataDocument->QueryInterface(IID_IHostDataFile,
                                              reinterpret_cast<void**>(&mDataFile))) &&
      mDataFile)
    mDataFile->Release();
  // The document object's child interface answers under the record data's IID.
  if (mDocumentObject) mDocumentObject->QueryInterface(IID_IHostRecordData, mDocumentChild.OutVoid());
}

HRESULT STDMETHODCALLTYPE ScrivoChildDocument::Detach() noexcept {
  mHostDocument.Reset();
  return LumoDocument::Detach();
}
