// The units service: makes units objects from a base unit text and a prefix index.
#include <cmath>
#include <string>

#include "host/common/HostObject.h"
#include "host/common/UnitText.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/HostUnits.h"

namespace lumo {

namespace {

// The prefix letter of an index; 0 for none.
wchar_t PrefixLetter(int32_t index) noexcept {
  switch (index) {
    case 2: return L'a';
    case 3: return L'f';
    case 4: return L'p';
    case 5: return L'n';
    case 6: return L'\u00B5';
    case 7: return L'm';
    case 9: return L'k';
    case 10: return L'M';
    case 11: return L'G';
    default: return 0;
  }
}

class HostUnit final : public host::HostObject<IHostUnit> {
 public:
  HostUnit(std::wstring baseUnit, wchar_t prefix) : mBaseUnit(std::move(baseUnit)), mPrefix(prefix) {}
  HostUnit(std::wstring baseUnit, const HostChannelRange& range)
      : mBaseUnit(std::move(baseUnit)), mPrefix(0), mRange(range), mRanged(true) {}

  HRESULT STDMETHODCALLTYPE GetText(BSTR* text) noexcept override {
    if (!text) return E_POINTER;
    *text = nullptr;
    std::wstring written;
    try {
      if (mPrefix) written.push_back(mPrefix);
      written += mBaseUnit;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return Allocate(written, text);
  }
  HRESULT STDMETHODCALLTYPE GetBaseUnit(BSTR* text) noexcept override {
    if (!text) return E_POINTER;
    *text = nullptr;
    return Allocate(mBaseUnit, text);
  }
  HRESULT STDMETHODCALLTYPE GetPrefix(uint16_t* letter) noexcept override {
    if (!letter) return E_POINTER;
    *letter = static_cast<uint16_t>(mPrefix);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRange(HostChannelRange* range) noexcept override {
    if (!range) return E_POINTER;
    *range = mRanged ? mRange : kUnboundedChannelRange;
    return mRanged ? S_OK : S_FALSE;
  }

 private:
  static HRESULT Allocate(const std::wstring& from, BSTR* text) noexcept {
    *text = SysAllocStringLen(from.data(), static_cast<UINT>(from.size()));
    return *text ? S_OK : E_OUTOFMEMORY;
  }
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHostUnit)) return static_cast<IHostUnit*>(this);
    return nullptr;
  }
  std::wstring mBaseUnit;
  wchar_t mPrefix;
  HostChannelRange mRange = kUnboundedChannelRange;
  bool mRanged = false;
};

class UnitsService final : public StaticService<IHostUnitsService, IID_IHostUnitsService> {
 public:
  HRESULT STDMETHODCALLTYPE Reserved3() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved4() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved6() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved15() noexcept override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE CreateRangedUnit(int32_t, const HostChannelRange* range, QOR::IQORString* baseUnit,
                                             int32_t, int32_t, IUnknown** unit) noexcept override {
    if (!unit) return E_POINTER;
    *unit = nullptr;
    if (!range || !baseUnit) return E_POINTER;
    try {
      const wchar_t* const base = baseUnit->GetText();
      *unit = static_cast<IHostUnit*>(new HostUnit(base ? base : L"", *range));
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT STDMETHODCALLTYPE CreatePrefixedUnit(int32_t prefixIndex, QOR::IQORString* baseUnit, int32_t,
                                               IUnknown** unit) noexcept override {
    if (!unit) return E_POINTER;
    *unit = nullptr;
    if (!baseUnit) return E_POINTER;
    try {
      const wchar_t* const base = baseUnit->GetText();
      *unit = static_cast<IHostUnit*>(new HostUnit(base ? base : L"", PrefixLetter(prefixIndex)));
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT STDMETHODCALLTYPE ReadUnitText(QOR::IQORString* text, IUnknown** unit) noexcept override {
    if (!unit) return E_POINTER;
    *unit = nullptr;
    if (!text) return E_POINTER;
    try {
      const wchar_t* const written = text->GetText();
      host::UnitParts parts = host::SplitUnitText(written ? written : L"");
      *unit = static_cast<IHostUnit*>(new HostUnit(std::move(parts.baseUnit), parts.prefix));
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
};

UnitsService gUnitsService;
ServiceRegistration gUnitsServiceEntry(IID_IHostUnitsService, kUnitsServiceId, &gUnitsService);

}  // namespace

}  // namespace lumo
