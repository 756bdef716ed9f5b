// The message factory service: the message class objects that modules register for their commands.
#include "host/framework/MessageFactory.h"

#include "host/framework/HeldList.h"
#include "host/framework/ServiceTable.h"
#include "host/framework/StaticService.h"
#include "hostapi/MessageFactory.h"

#include <oleauto.h>

#include <cwctype>

namespace lumo {

namespace {

HeldList<IMsgIdMessageClassObject>& MessageClasses() {
  static HeldList<IMsgIdMessageClassObject> classes;
  return classes;
}

std::wstring NameOf(IMsgIdMessageClassObject* object) {
  BSTR bstr = nullptr;
  if (FAILED(object->GetName(&bstr))) return std::wstring();
  std::wstring name(bstr ? bstr : L"", bstr ? SysStringLen(bstr) : 0);
  SysFreeString(bstr);
  return name;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

class MessageFactory final : public StaticService<IMessageFactory, IID_IMessageFactory> {
 public:
  HRESULT STDMETHODCALLTYPE Register(uint32_t, IMsgIdMessageClassObject* classObject) noexcept override {
    return MessageClasses().Add(classObject);
  }
  HRESULT STDMETHODCALLTYPE GetCount(uint32_t* count) noexcept override {
    return MessageClasses().GetCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetAt(uint32_t index, IMsgIdMessageClassObject** classObject) noexcept override {
    return MessageClasses().GetAt(index, classObject);
  }
  HRESULT STDMETHODCALLTYPE FindByName(const wchar_t* name,
                                       IMsgIdMessageClassObject** classObject) noexcept override {
    if (!name || !classObject) return E_POINTER;
    *classObject = nullptr;
    try {
      for (IMsgIdMessageClassObject* candidate : MessageClasses()) {
        if (!SameText(NameOf(candidate), name)) continue;
        candidate->AddRef();
        *classObject = candidate;
        return S_OK;
      }
      return S_FALSE;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
};

MessageFactory gMessageFactory;
ServiceRegistration gMessageFactoryEntry(IID_IMessageFactory, 0, &gMessageFactory);

}  // namespace

bool MessageClassName(uint32_t id, std::wstring& name) {
  for (IMsgIdMessageClassObject* candidate : MessageClasses()) {
    uint32_t candidateId = 0;
    if (FAILED(candidate->GetId(&candidateId)) || candidateId != id) continue;
    name = NameOf(candidate);
    return !name.empty();
  }
  return false;
}

bool MessageClassId(const std::wstring& name, uint32_t& id) {
  for (IMsgIdMessageClassObject* candidate : MessageClasses()) {
    if (!SameText(NameOf(candidate), name)) continue;
    return SUCCEEDED(candidate->GetId(&id));
  }
  return false;
}

}  // namespace lumo
