// IDrawPrintable: how a pane says whether it is being drawn for printing, and its default.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>

struct IDrawPrintable {
  // Stores the printing context (0: not printing).
  virtual HRESULT STDMETHODCALLTYPE BeginPrint(uint32_t context) = 0;
  virtual HRESULT STDMETHODCALLTYPE EndPrint() = 0;
  // S_OK when printing, S_FALSE otherwise; *printing (when given) says the same.
  virtual HRESULT STDMETHODCALLTYPE IsPrinting(VARIANT_BOOL* printing) = 0;

 protected:
  ~IDrawPrintable() = default;
};

namespace ScrivoDraw {

class DrawPrintableBase : public IDrawPrintable {
 public:
  HRESULT STDMETHODCALLTYPE BeginPrint(uint32_t context) noexcept override {
    mPrintContext = context;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EndPrint() noexcept override {
    mPrintContext = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE IsPrinting(VARIANT_BOOL* printing) noexcept override {
    if (printing) *printing = mPrintContext != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return mPrintContext != 0 ? S_OK : S_FALSE;
  }

 protected:
  ~DrawPrintableBase() = default;
  uint32_t mPrintContext = 0;
};

}  // namespace ScrivoDraw
