// The type registry service: stable class indexes for GUIDs, names of ids and values of texts.
#include "host/framework/TypeRegistry.h"

#include "host/common/HostString.h"
#include "host/framework/ClassRegistry.h"
#include "host/framework/MessageFactory.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/TypeRegistry.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace lumo {

namespace {

constexpr size_t kMaxClassIndex = 0x7FFF;

struct GuidEntry {
  GUID guid;
  uint32_t requests;  // slot 3 calls for this GUID
};

// Index i + 1 is the class index of entry i. UI thread only; no lock.
std::vector<GuidEntry>& Guids() {
  static std::vector<GuidEntry> guids;
  return guids;
}

GuidEntry* FindGuid(const GUID& guid) {
  for (GuidEntry& entry : Guids()) {
    if (IsEqualGUID(entry.guid, guid)) return &entry;
  }
  return nullptr;
}

// A whole text as a number: decimal with an optional sign, or 0x-hexadecimal.
bool ParseNumber(const std::wstring& text, uint32_t& value) {
  if (text.empty() || std::iswspace(text[0])) return false;
  const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
  wchar_t* end = nullptr;
  errno = 0;
  if (hex) {
    const unsigned long parsed = std::wcstoul(text.c_str() + 2, &end, 16);
    if (errno != 0 || *end != L'\0' || end == text.c_str() + 2) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
  }
  const long long parsed = std::wcstoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != L'\0' || parsed < -2147483648LL || parsed > 4294967295LL) return false;
  value = static_cast<uint32_t>(parsed);
  return true;
}

class TypeRegistry final : public StaticService<ITypeRegistry, IID_ITypeRegistry> {
 public:
  HRESULT STDMETHODCALLTYPE RegisterGuid(const GUID* guid, uint16_t* classIndex) noexcept override {
    if (!guid || !classIndex) return E_POINTER;
    const uint16_t index = ClassIndexOf(*guid);
    if (index == 0) return E_OUTOFMEMORY;
    ++FindGuid(*guid)->requests;
    *classIndex = index;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetGuid(uint32_t classIndex, GUID* guid) noexcept override {
    if (!guid) return E_POINTER;
    if (classIndex == 0 || classIndex > Guids().size()) return E_INVALIDARG;
    *guid = Guids()[classIndex - 1].guid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reserved5() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIdName(uint32_t, uint32_t id, QOR::IQORString** name) noexcept override {
    if (!name) return E_POINTER;
    *name = nullptr;
    try {
      std::wstring text;
      if (!RegisteredClassName(id, text) && !MessageClassName(id, text)) return S_FALSE;
      *name = host::MakeHostString(text).Detach();
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE TextToValue(uint32_t, QOR::IQORString* text, uint32_t* value) noexcept override {
    if (!text || !value) return E_POINTER;
    try {
      const std::wstring source = host::StringText(text);
      uint32_t result = 0;
      if (RegisteredClassId(source, result) || MessageClassId(source, result) ||
          ParseNumber(source, result)) {
        *value = result;
        return S_OK;
      }
      return E_INVALIDARG;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
};

TypeRegistry gTypeRegistry;
ServiceRegistration gTypeRegistryEntry(IID_ITypeRegistry, 0, &gTypeRegistry);

}  // namespace

uint16_t ClassIndexOf(const GUID& guid) noexcept {
  try {
    auto& guids = Guids();
    for (size_t i = 0; i < guids.size(); ++i) {
      if (IsEqualGUID(guids[i].guid, guid)) return static_cast<uint16_t>(i + 1);
    }
    if (guids.size() >= kMaxClassIndex) return 0;
    guids.push_back(GuidEntry{guid, 0});
    return static_cast<uint16_t>(guids.size());
  } catch (...) {
    return 0;
  }
}

uint32_t GuidRequestCount(const GUID& guid) noexcept {
  const GuidEntry* const entry = FindGuid(guid);
  return entry ? entry->requests : 0;
}

}  // namespace lumo
