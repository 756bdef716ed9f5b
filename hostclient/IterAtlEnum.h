// IterAtlEnum: the enumerator over a static list of interface ids that a view class lists.
#pragma once

#include "hostapi/DocView.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"

// Holds the module lock for its lifetime; the list it walks is static and never copied.
class IterAtlEnum final : public IEnumInterface, public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(IterAtlEnum)
  QOR_INTERFACE_ENTRY(IEnumInterface, IID_IEnumInterface)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  // A new enumerator over [first, last) at current, holding owner (may be null), handed out
  // with one reference.
  static HRESULT Create(const IID* const* first, const IID* const* last,
                        const IID* const* current, IUnknown* owner, IEnumInterface** out) noexcept;

  HRESULT STDMETHODCALLTYPE Next(uint32_t count, const IID** iids,
                                 uint32_t* fetched) noexcept override;
  HRESULT STDMETHODCALLTYPE Skip(uint32_t count) noexcept override;
  HRESULT STDMETHODCALLTYPE Reset() noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumInterface** clone) noexcept override;

 private:
  IterAtlEnum(const IID* const* first, const IID* const* last, const IID* const* current,
              IUnknown* owner) noexcept;
  ~IterAtlEnum() override;

  const IID* const* mCurrent;
  ComPtr<IUnknown> mOwner;
  const IID* const* mFirst;
  const IID* const* mLast;
};
