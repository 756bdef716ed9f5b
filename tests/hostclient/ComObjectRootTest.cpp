// COM object support: interface-map lookup, counting roots, single-interface bases and aggregation.
#include "hostclient/ComObjectRoot.h"
#include "hostclient/NonDelegatingUnknown.h"
#include "hostclient/SimpleUnknownImp.h"

#include <gtest/gtest.h>

namespace {

// {6B1D6A01-0C43-4E35-9A52-1F0C37E0A001} and neighbours: test-only interfaces.
constexpr GUID IID_ITestA = {0x6B1D6A01, 0x0C43, 0x4E35, {0x9A, 0x52, 0x1F, 0x0C, 0x37, 0xE0, 0xA0, 0x01}};
constexpr GUID IID_ITestB = {0x6B1D6A01, 0x0C43, 0x4E35, {0x9A, 0x52, 0x1F, 0x0C, 0x37, 0xE0, 0xA0, 0x02}};
constexpr GUID IID_ITestC = {0x6B1D6A01, 0x0C43, 0x4E35, {0x9A, 0x52, 0x1F, 0x0C, 0x37, 0xE0, 0xA0, 0x03}};
constexpr GUID IID_ITestD = {0x6B1D6A01, 0x0C43, 0x4E35, {0x9A, 0x52, 0x1F, 0x0C, 0x37, 0xE0, 0xA0, 0x04}};

struct ITestA : IUnknown {
  virtual int STDMETHODCALLTYPE A() = 0;
};
struct ITestB : IUnknown {
  virtual int STDMETHODCALLTYPE B() = 0;
};

int gDestroyed = 0;
int gRoutineCalls = 0;

HRESULT FailingRoutine(void*, REFIID, void**, std::uintptr_t value) noexcept {
  ++gRoutineCalls;
  return static_cast<HRESULT>(value);
}

// Heap object whose map names ITestB first, so IUnknown is its B part.
class TwoParts final : public ITestA, public ITestB, public QOR::CComObjectRoot {
 public:
  QOR_IUNKNOWN_HEAP()
  int STDMETHODCALLTYPE A() override { return 1; }
  int STDMETHODCALLTYPE B() override { return 2; }
  ~TwoParts() override {
    ++gDestroyed;
    // A stray reference pair during destruction must not delete again.
    AddRef();
    Release();
  }

  QOR_BEGIN_INTERFACE_MAP(TwoParts)
    QOR_INTERFACE_ENTRY(ITestB, IID_ITestB)
    QOR_BLIND_ROUTINE(&FailingRoutine, E_FAIL)
    QOR_INTERFACE_ENTRY(ITestA, IID_ITestA)
    QOR_INTERFACE_ROUTINE(IID_ITestC, &FailingRoutine, E_ACCESSDENIED)
    QOR_INTERFACE_ENTRY(ITestA, IID_ITestD)
  QOR_END_INTERFACE_MAP()
};

TEST(InterfaceMap, UnknownAnswersFirstEntryAndIdentityHolds) {
  auto* object = new TwoParts;
  object->AddRef();
  IUnknown* fromA = nullptr;
  IUnknown* fromB = nullptr;
  ASSERT_EQ(S_OK, static_cast<ITestA*>(object)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromA)));
  ASSERT_EQ(S_OK, static_cast<ITestB*>(object)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromB)));
  EXPECT_EQ(fromA, fromB);
  EXPECT_EQ(static_cast<IUnknown*>(static_cast<ITestB*>(object)), fromA);
  EXPECT_EQ(3, object->RefCount());
  fromA->Release();
  fromB->Release();
  EXPECT_EQ(0u, object->Release());
}

TEST(InterfaceMap, BlindFailureGoesOnNamedFailureEnds) {
  auto* object = new TwoParts;
  object->AddRef();
  void* out = reinterpret_cast<void*>(1);
  gRoutineCalls = 0;
  // The blind routine fails first, then the named A entry answers.
  ASSERT_EQ(S_OK, object->QueryInterface(IID_ITestA, &out));
  EXPECT_EQ(static_cast<ITestA*>(object), out);
  EXPECT_EQ(1, gRoutineCalls);
  static_cast<ITestA*>(out)->Release();
  // The named routine's failure ends the search before the later D entry.
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_ACCESSDENIED, object->QueryInterface(IID_ITestC, &out));
  EXPECT_EQ(nullptr, out);
  ASSERT_EQ(S_OK, object->QueryInterface(IID_ITestD, &out));
  static_cast<ITestA*>(out)->Release();
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IClassFactory, &out));
  EXPECT_EQ(nullptr, out);
  object->Release();
}

TEST(InterfaceMap, RejectsNullArguments) {
  void* out = nullptr;
  EXPECT_EQ(E_INVALIDARG, QOR::QueryInterfaceByMap(nullptr, TwoParts::GetInterfaceMap(), IID_ITestA, &out));
  TwoParts* object = new TwoParts;
  object->AddRef();
  EXPECT_EQ(E_INVALIDARG, QOR::QueryInterfaceByMap(object, nullptr, IID_ITestA, &out));
  EXPECT_EQ(E_POINTER, QOR::QueryInterfaceByMap(object, TwoParts::GetInterfaceMap(), IID_ITestA, nullptr));
  object->Release();
}

TEST(CComObjectRoot, LastReleaseDeletesOnceDespiteStrayReferences) {
  gDestroyed = 0;
  auto* object = new TwoParts;
  EXPECT_EQ(1u, object->AddRef());
  EXPECT_EQ(2u, object->AddRef());
  EXPECT_EQ(1u, object->Release());
  EXPECT_EQ(0u, object->Release());
  EXPECT_EQ(1, gDestroyed);
}

TEST(CComObjectRoot, LockIsMadeOnRequestOnly) {
  auto* object = new TwoParts;
  object->AddRef();
  EXPECT_FALSE(object->LockInitialised());
  ASSERT_TRUE(object->InitLock());
  {
    QOR::ObjectLock hold(*object);
    EXPECT_TRUE(object->LockInitialised());
  }
  object->Release();
}

class Single final : public QOR::SimpleUnknownImp1<ITestA, IID_ITestA> {
 public:
  int STDMETHODCALLTYPE A() override { return 7; }
  ~Single() override { ++gDestroyed; }
};

class Pair final : public QOR::SimpleUnknownImp2<ITestA, IID_ITestA, ITestB, IID_ITestB> {
 public:
  int STDMETHODCALLTYPE A() override { return 1; }
  int STDMETHODCALLTYPE B() override { return 2; }
};

TEST(SimpleUnknownImp, AnswersOwnInterfacesAndDeletesAtZero) {
  gDestroyed = 0;
  ITestA* single = new Single;
  single->AddRef();
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, single->QueryInterface(IID_ITestB, &out));
  EXPECT_EQ(nullptr, out);
  ASSERT_EQ(S_OK, single->QueryInterface(IID_IUnknown, &out));
  EXPECT_EQ(single, out);
  EXPECT_EQ(1u, single->Release());
  EXPECT_EQ(0u, single->Release());
  EXPECT_EQ(1, gDestroyed);

  ITestA* pair = new Pair;
  pair->AddRef();
  ITestB* b = nullptr;
  ASSERT_EQ(S_OK, pair->QueryInterface(IID_ITestB, reinterpret_cast<void**>(&b)));
  EXPECT_EQ(2, b->B());
  IUnknown* unknown = nullptr;
  ASSERT_EQ(S_OK, b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
  EXPECT_EQ(static_cast<IUnknown*>(pair), unknown);
  unknown->Release();
  b->Release();
  EXPECT_EQ(0u, pair->Release());
}

// An outer object that counts its own references and forwards ITestA to its aggregate.
class Outer final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return mInner ? mInner->QueryInterface(iid, out) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++mCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return --mCount; }
  ULONG mCount = 1;
  IUnknown* mInner = nullptr;
};

class Aggregated final : public ITestA,
                         public QOR::CComObjectRoot,
                         public QOR::Aggregatable<Aggregated> {
 public:
  explicit Aggregated(IUnknown* outer) : Aggregatable(outer) {}
  QOR_IUNKNOWN_AGGREGATABLE()
  int STDMETHODCALLTYPE A() override { return 5; }
  ~Aggregated() override { ++gDestroyed; }

  QOR_BEGIN_INTERFACE_MAP(Aggregated)
    QOR_INTERFACE_ENTRY(ITestA, IID_ITestA)
  QOR_END_INTERFACE_MAP()
};

TEST(NonDelegatingUnknown, InnerCountsItselfInterfacesCountTheOuter) {
  gDestroyed = 0;
  Outer outer;
  auto* object = new Aggregated(&outer);
  IUnknown* inner = object->InnerUnknown();
  EXPECT_EQ(1u, inner->AddRef());
  outer.mInner = inner;

  IUnknown* innerAgain = nullptr;
  ASSERT_EQ(S_OK, inner->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&innerAgain)));
  EXPECT_EQ(inner, innerAgain);
  EXPECT_EQ(2, object->RefCount());
  innerAgain->Release();

  // An interface from the aggregate counts on the outer object, and its
  // IUnknown is the outer one.
  ITestA* a = nullptr;
  ASSERT_EQ(S_OK, outer.QueryInterface(IID_ITestA, reinterpret_cast<void**>(&a)));
  EXPECT_EQ(5, a->A());
  EXPECT_EQ(2u, outer.mCount);
  EXPECT_EQ(1, object->RefCount());
  IUnknown* identity = nullptr;
  ASSERT_EQ(S_OK, a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
  EXPECT_EQ(static_cast<IUnknown*>(&outer), identity);
  identity->Release();
  a->Release();
  EXPECT_EQ(1u, outer.mCount);

  EXPECT_EQ(0u, inner->Release());
  EXPECT_EQ(1, gDestroyed);
}

}  // namespace
