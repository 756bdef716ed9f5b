// The COM boundary bracket and the owning interface pointer.
#include "hostclient/ComBoundary.h"
#include "hostclient/ComPtr.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ComTry, MapsEachExceptionToItsResult) {
  EXPECT_EQ(S_FALSE, ComTry([] { return S_FALSE; }));
  EXPECT_EQ(S_OK, ComTry([] {}));
  EXPECT_EQ(static_cast<HRESULT>(0xA0048203u), ComTry([]() -> HRESULT { throw XQOR(static_cast<HRESULT>(0xA0048203u)); }));
  EXPECT_EQ(E_OUTOFMEMORY, ComTry([]() -> HRESULT { throw std::bad_alloc(); }));
  EXPECT_EQ(E_FAIL, ComTry([]() -> HRESULT { throw std::runtime_error("x"); }));
  EXPECT_EQ(E_UNEXPECTED, ComTry([]() -> HRESULT { throw 3; }, E_UNEXPECTED));
}

TEST(ComTry, ThrownXqorWithoutFailureCodeStillFails) {
  EXPECT_EQ(E_FAIL, ComTry([]() -> HRESULT { throw XQOR(QOR::String(L"no code"), 0); }));
}

// Counts its references; never deleted (lives on the stack).
class Counted final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) noexcept override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return --mCount; }
  ULONG mCount = 1;
};

void FillWith(IUnknown* object, IUnknown** out) {
  object->AddRef();
  *out = object;
}

TEST(ComPtr, CountsCopiesMovesAndOutSlots) {
  Counted first;
  Counted second;
  {
    ComPtr<IUnknown> a(&first);
    EXPECT_EQ(2u, first.mCount);
    ComPtr<IUnknown> b = a;
    EXPECT_EQ(3u, first.mCount);
    ComPtr<IUnknown> c = std::move(b);
    EXPECT_EQ(3u, first.mCount);
    EXPECT_FALSE(b);
    c = a;  // same object: no net change
    EXPECT_EQ(3u, first.mCount);
    // The out slot releases what was held before the call fills it.
    FillWith(&second, c.Out());
    EXPECT_EQ(2u, first.mCount);
    EXPECT_EQ(2u, second.mCount);
    IUnknown* detached = c.Detach();
    EXPECT_EQ(&second, detached);
    EXPECT_EQ(2u, second.mCount);
    c.Attach(detached);
    EXPECT_EQ(2u, second.mCount);
  }
  EXPECT_EQ(1u, first.mCount);
  EXPECT_EQ(1u, second.mCount);
}

}  // namespace
