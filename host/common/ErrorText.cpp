// The thread's COM error information as a text.
#include "host/common/ErrorText.h"

#include "host/common/HostPtr.h"

#include <oleauto.h>

namespace host {

void SetErrorText(const std::wstring& text) {
  HostPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.Out()))) return;
  create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
  HostPtr<IErrorInfo> info = create.As<IErrorInfo>(IID_IErrorInfo);
  SetErrorInfo(0, info.Get());
}

std::wstring TakeErrorText() {
  HostPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Out()) != S_OK || !info) return std::wstring();
  BSTR text = nullptr;
  info->GetDescription(&text);
  std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return result;
}

}  // namespace host
