// The stand-in host's document object: holds one data document and names its channels.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "host/data/DataDocument.h"
#include "hostapi/HostDocument.h"

namespace host {

class HostDocument final : public HostObject<IHostDocument> {
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

 private:
  explicit HostDocument(HostPtr<DataDocument> dataDocument);
  ~HostDocument() override = default;
  void* FindInterface(REFIID iid) override;
  // Channels with (calculated true) or without a formula.
  int32_t CountChannels(bool calculated) const;

  HostPtr<DataDocument> mDataDocument;
};

}  // namespace host
