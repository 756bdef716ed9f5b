// ScrivoChildDocument: a document that belongs to a host document and fetches, once, the host
// objects an analysis works with.
#pragma once

#include "hostapi/DataFile.h"
#include "hostapi/HostDocument.h"
#include "hostapi/Selection.h"
#include "hostclient/LumoDocument.h"

// Every object is null when the host gives none; each user tests for null.
class ScrivoChildDocument : public LumoDocument {
 public:
  // Releases the host document first, then detaches as every document does.
  HRESULT STDMETHODCALLTYPE Detach() noexcept override;

  IHostDocument* HostDataDocument() const noexcept { return mHostDocument.Get(); }
  IHostDataDocument* DataDocument() const noexcept { return mDataDocument.Get(); }
  IUnknown* DataSource() const noexcept { return mDataSource.Get(); }
  IHostDataFile* DataFile() const noexcept { return mDataFile; }
  IUnknown* HostObjectA() const noexcept { return mHostObjectA.Get(); }
  IHostSelection* Selection() const noexcept { return mSelection.Get(); }
  IUnknown* HostLink() const noexcept { return mHostLink.Get(); }

 protected:
  ScrivoChildDocument(IUnknown* hostObject, IUnknown* classObject, uint32_t flags);
  ~ScrivoChildDocument() override;

 private:
  void FetchHostObjects();

  ComPtr<IHostDocument> mHostDocument;
  ComPtr<IUnknown> mDocumentChild;
  ComPtr<IUnknown> mDocumentObject;
  ComPtr<IHostDataDocument> mDataDocument;
  ComPtr<IUnknown> mDataSource;
  IHostDataFile* mDataFile = nullptr;  // a part of the data document: no reference
  ComPtr<IUnknown> mHostObjectA;
  ComPtr<IUnknown> mHostObjectB;
  ComPtr<IHostSelection> mSelection;
  ComPtr<IUnknown> mHostLink;
};
