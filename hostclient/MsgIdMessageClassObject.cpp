// QOR::MsgIdMessageClassObject: listing, message creation, writing and description of a command.
#include "hostclient/MsgIdMessageClassObject.h"

#include "base/String.h"
#include "base/XQOR.h"
#include "hostclient/BstrSlot.h"
#include "hostapi/MessageService.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"
#include "hostclient/CommandParameterList.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/MessageArgument.h"

#include <oleauto.h>

#include <string>

namespace QOR {
namespace {

// Clears a VARIANT copy whatever way the scope is left.
struct VariantHolder {
  VARIANT value;
  VariantHolder() { VariantInit(&value); }
  ~VariantHolder() { VariantClear(&value); }
};

// The piece naming the view a message concerns: LumoId,ViewType,"<registered name>".
std::wstring ViewPiece(IMessage* message) {
  ComPtr<IMessageView> view;
  if (FAILED(message->QueryInterface(IID_IMessageView, view.OutVoid())) || !view) return {};
  uint32_t viewId = 0;
  if (FAILED(view->GetViewId(&viewId))) return {};
  String name;
  if (ITypeRegistry* const registry = GetTypeRegistry()) {
    StringOutParam out(name);
    registry->GetIdName(0, viewId, out);
  }
  return std::wstring(L"LumoId,ViewType,\"") + name.GetText() + L"\"";
}

}  // namespace

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::GetId(uint32_t* id) noexcept {
  if (!id) return E_POINTER;
  *id = 0;
  mInfo.id(id);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::GetName(BSTR* name) noexcept {
  return StoreBstr(name, mInfo.name);
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::GetGroup(BSTR* group) noexcept {
  return StoreBstr(group, mInfo.group);
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::GetDescription(
    IQORString** description) noexcept {
  if (!description) return E_POINTER;
  *description = nullptr;
  return ComTry([&] { *description = String(mInfo.description).AddRefInterface(); });
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::GetFlag7(uint32_t,
                                                            VARIANT_BOOL* flag) noexcept {
  if (!flag) return E_POINTER;
  *flag = VARIANT_TRUE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::GetFlag8(uint32_t,
                                                            VARIANT_BOOL* flag) noexcept {
  if (!flag) return E_POINTER;
  *flag = VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::CreateMessage(uint32_t, DISPPARAMS* arguments,
                                                                 IMessage** message) noexcept {
  if (!message) return E_POINTER;
  *message = nullptr;
  const HRESULT result = ComTry([&] { return CreateMessageBody(arguments, message); });
  // Nothing half-made reaches the host when the argument could not be taken.
  if (FAILED(result) && *message) {
    (*message)->Release();
    *message = nullptr;
  }
  return result;
}

HRESULT MsgIdMessageClassObject::CreateMessageBody(DISPPARAMS* arguments, IMessage** message) {
  if (!arguments || arguments->cNamedArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (arguments->cArgs > 1) return DISP_E_BADPARAMCOUNT;
  uint32_t value = 0;
  const bool hasArgument = arguments->cArgs == 1;
  if (hasArgument) {
    if (!arguments->rgvarg) return E_POINTER;
    VariantHolder copy;
    const HRESULT copied = VariantCopy(&copy.value, &arguments->rgvarg[0]);
    if (FAILED(copied)) throw XQOR(copied);
    value = VariantToMessageArgument(copy.value);
  }
  IMessageService* const service = GetMessageService();
  if (!service) return E_FAIL;
  uint32_t id = 0;
  mInfo.id(&id);
  const uint32_t data[2] = {0, 0};
  const HRESULT created = service->CreateMessage(id, mInfo.messageFlags, value,
                                                 hasArgument ? 1 : 0, 0, data, message);
  // A service that made nothing must not be reported as success.
  if (!*message) return FAILED(created) ? created : E_FAIL;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::WriteCommand(uint32_t, IMessage* message,
                                                                ICommandWriter* target,
                                                                uint32_t) noexcept {
  if (!target) return E_FAIL;
  return ComTry([&] { return WriteCommandBody(message, target); });
}

HRESULT MsgIdMessageClassObject::WriteCommandBody(IMessage* message, ICommandWriter* target) {
  std::wstring valueText;
  if (message) {
    uint32_t value = 0;
    if (SUCCEEDED(message->GetArgument(&value))) valueText = std::to_wstring(value);
    uint32_t flags = 0;
    message->GetFlags(&flags);
    if (flags & kMessageFlagNamesView) {
      const std::wstring piece = ViewPiece(message);
      if (!piece.empty()) valueText += (valueText.empty() ? L"" : L",") + piece;
    }
  }
  HRESULT result = target->WriteCommandName(mInfo.name);
  const std::wstring list = mInfo.parameterList ? mInfo.parameterList : L"";
  if (list.empty() || valueText.empty()) return result;
  ComPtr<ICommandParameters> parameters;
  result = target->CreateParameters(parameters.Out());
  if (FAILED(result) || !parameters) return result;
  for (const CommandParameter& parameter : ParseCommandParameters(list)) {
    const String name(parameter.name.c_str());
    const String extra(parameter.extra.c_str());
    result = parameters->AddParameter(name.GetInterface(), extra.GetInterface());
  }
  return result;
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::Write(uint32_t word, ICommandWriter* target,
                                                         uint32_t word2) noexcept {
  if (!target) return E_FAIL;
  if (mInfo.helpTopic && *mInfo.helpTopic) return target->WriteHelpTopic(mInfo.helpTopic, word2);
  return WriteCommand(word, nullptr, target, word2);
}

HRESULT STDMETHODCALLTYPE MsgIdMessageClassObject::Describe(uint32_t, ICommandWriter* target,
                                                            uint32_t word2) noexcept {
  if (!target || !mInfo.name || !*mInfo.name) return S_OK;
  return ComTry([&] { return DescribeBody(target, word2); });
}

HRESULT MsgIdMessageClassObject::DescribeBody(ICommandWriter* target, uint32_t word2) {
  HRESULT result = target->WriteLine((std::wstring(L"Name:        ") + mInfo.name).c_str(), word2);
  if (mInfo.description && *mInfo.description) {
    result = target->WriteLine((std::wstring(L"Description: ") + mInfo.description).c_str(),
                               word2);
  }
  const auto parameters = ParseCommandParameters(mInfo.parameterList ? mInfo.parameterList : L"");
  for (size_t i = 0; i < parameters.size(); ++i) {
    std::wstring line = i == 0 ? L"Parameters:  " : std::wstring(13, L' ');
    line += parameters[i].name;
    if (i + 1 < parameters.size()) line += L',';
    result = target->WriteLine(line.c_str(), word2);
  }
  return result;
}

}  // namespace QOR
