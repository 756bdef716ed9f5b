// RecordedCommandState: a command-state object that keeps what an update handler set.
#pragma once

#include "hostapi/MessageHandler.h"

#include <string>

class RecordedCommandState final : public ICommandState {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE SetChecked(VARIANT_BOOL value) override {
    checked = value != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetEnabled(VARIANT_BOOL value) override {
    enabled = value != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetText(const wchar_t* value) override {
    text = value ? value : L"";
    return S_OK;
  }

  bool enabled = false;
  bool checked = false;
  std::wstring text;
};
