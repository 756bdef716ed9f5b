// The thread's COM error information set to a text.
#include "hostclient/ThreadErrorText.h"

#include "hostclient/ComPtr.h"

#include <oleauto.h>

#include <string>

void SetThreadErrorText(REFIID source, const QOR::String& text) noexcept {
  try {
    ComPtr<ICreateErrorInfo> created;
    if (FAILED(CreateErrorInfo(created.Out()))) return;
    created->SetGUID(source);
    created->SetDescription(const_cast<LPOLESTR>(text.GetText()));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(created->QueryInterface(IID_IErrorInfo, info.OutVoid()))) SetErrorInfo(0, info.Get());
  } catch (...) {
    // Without words the caller still has the failure.
  }
}

QOR::String TakeThreadErrorText() noexcept {
  try {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Out()) != S_OK || !info) return QOR::String();
    BSTR text = nullptr;
    if (FAILED(info->GetDescription(&text)) || !text) return QOR::String();
    const std::wstring words(text, SysStringLen(text));
    SysFreeString(text);
    return QOR::String(words.c_str());
  } catch (...) {
    return QOR::String();
  }
}
