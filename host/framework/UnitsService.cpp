// The units service: makes units objects from a base unit text and a prefix index.
#include <string>

#include "host/common/HostObject.h"
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
  explicit HostUnit(std::wstring text) : mText(std::move(text)) {}

  HRESULT STDMETHODCALLTYPE GetText(BSTR* text) noexcept override {
    if (!text) return E_POINTER;
    *text = SysAllocStringLen(mText.data(), static_cast<UINT>(mText.size()));
    return *text ? S_OK : E_OUTOFMEMORY;
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHostUnit)) return static_cast<IHostUnit*>(this);
    return nullptr;
  }
  std::wstring mText;
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
  HRESULT STDMETHODCALLTYPE Reserved16() noexcept override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE CreatePrefixedUnit(int32_t prefixIndex, QOR::IQORString* baseUnit, int32_t,
                                               IUnknown** unit) noexcept override {
    if (!unit) return E_POINTER;
    *unit = nullptr;
    if (!baseUnit) return E_POINTER;
    try {
      std::wstring text;
      if (const wchar_t letter = PrefixLetter(prefixIndex)) text.push_back(letter);
      if (const wchar_t* base = baseUnit->GetText()) text += base;
      *unit = static_cast<IHostUnit*>(new HostUnit(std::move(text)));
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
