// The OWL window of a host view: the one OWL knows, or an alias made on the reported handle.
#include "hostclient/WindowFromHostView.h"

#include "host/common/HostObject.h"
#include "host/common/ReservedSlots.h"
#include "hostapi/HostApplication.h"
#include "platform/owl/TWindow.h"

#include <gtest/gtest.h>

namespace {

// A host view that reports one window.
class FakeHostView final : public host::HostObject<IHostApplication> {
 public:
  explicit FakeHostView(HWND window) : mWindow(window) {}
  HOST_RESERVED_SLOT(3) HOST_RESERVED_SLOT(4) HOST_RESERVED_SLOT(5) HOST_RESERVED_SLOT(6)
  HOST_RESERVED_SLOT(7) HOST_RESERVED_SLOT(8) HOST_RESERVED_SLOT(9)
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) noexcept override {
    *window = mWindow;
    return S_OK;
  }
  HOST_RESERVED_SLOT(11) HOST_RESERVED_SLOT(12) HOST_RESERVED_SLOT(13) HOST_RESERVED_SLOT(14)
  HOST_RESERVED_SLOT(15) HOST_RESERVED_SLOT(16) HOST_RESERVED_SLOT(17) HOST_RESERVED_SLOT(18)
  HOST_RESERVED_SLOT(19) HOST_RESERVED_SLOT(20) HOST_RESERVED_SLOT(21) HOST_RESERVED_SLOT(22)
  HOST_RESERVED_SLOT(23) HOST_RESERVED_SLOT(24) HOST_RESERVED_SLOT(25) HOST_RESERVED_SLOT(26)
  HOST_RESERVED_SLOT(27) HOST_RESERVED_SLOT(28) HOST_RESERVED_SLOT(29) HOST_RESERVED_SLOT(30)
  HOST_RESERVED_SLOT(31) HOST_RESERVED_SLOT(32) HOST_RESERVED_SLOT(33) HOST_RESERVED_SLOT(34)
  HRESULT STDMETHODCALLTYPE ShowMessageBox(HWND, const wchar_t*, const wchar_t*, uint32_t,
                                           int32_t*) noexcept override {
    return E_NOTIMPL;
  }
  HOST_RESERVED_SLOT(36) HOST_RESERVED_SLOT(37) HOST_RESERVED_SLOT(38) HOST_RESERVED_SLOT(39)
  HOST_RESERVED_SLOT(40) HOST_RESERVED_SLOT(41) HOST_RESERVED_SLOT(42) HOST_RESERVED_SLOT(43)
  HOST_RESERVED_SLOT(44) HOST_RESERVED_SLOT(45) HOST_RESERVED_SLOT(46) HOST_RESERVED_SLOT(47)
  HOST_RESERVED_SLOT(48) HOST_RESERVED_SLOT(49) HOST_RESERVED_SLOT(50)
  HRESULT STDMETHODCALLTYPE GetFieldValue(uint32_t, int32_t*) noexcept override { return E_NOTIMPL; }
  HOST_RESERVED_SLOT(52) HOST_RESERVED_SLOT(53) HOST_RESERVED_SLOT(54) HOST_RESERVED_SLOT(55)
  HOST_RESERVED_SLOT(56)
  HRESULT STDMETHODCALLTYPE ReportVersionText(const wchar_t*, uint32_t) noexcept override {
    return E_NOTIMPL;
  }

 private:
  void* FindInterface(REFIID iid) override {
    return iid == IID_IUnknown || iid == IID_IHostViewWindow ? static_cast<IHostApplication*>(this)
                                                             : nullptr;
  }
  HWND mWindow;
};

TEST(WindowFromHostView, KnownWindowAliasOrNothing) {
  HWND const plain = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 50, 50, nullptr,
                                     nullptr, nullptr, nullptr);
  auto* const view = new FakeHostView(plain);
  std::unique_ptr<OWL::TWindow> alias;
  OWL::TWindow* const wrapped = WindowFromHostView(view, alias);
  ASSERT_NE(wrapped, nullptr);
  EXPECT_EQ(wrapped, alias.get());
  EXPECT_EQ(wrapped->GetHandle(), plain);
  EXPECT_TRUE(wrapped->IsFlagSet(OWL::wfAlias));
  // Asked again with the alias alive elsewhere, OWL knows the window: no second alias.
  std::unique_ptr<OWL::TWindow> second;
  EXPECT_EQ(WindowFromHostView(view, second), wrapped);
  EXPECT_EQ(second, nullptr);
  // A previous alias in the result goes; an alias never destroys its window.
  EXPECT_EQ(WindowFromHostView(nullptr, alias), nullptr);
  EXPECT_EQ(alias, nullptr);
  EXPECT_TRUE(IsWindow(plain));
  view->Release();
  DestroyWindow(plain);
}

}  // namespace
