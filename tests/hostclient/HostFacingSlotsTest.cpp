// The module's host-facing interfaces called through their raw tables at the slot numbers the
// host uses, as a host built by another compiler would call them.
#include "hostclient/LumoEventHandler.h"

#include "host/app/HostFramework.h"
#include "hostapi/MessageFactory.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/ComPtr.h"
#include "hostclient/NamedCommands.h"
#include "hostclient/TypeIds.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>

namespace {

using QOR::ComPtr;

template <class Fn>
Fn Slot(void* object, int slot) {
  void* const* const table = *static_cast<void* const* const*>(object);
  return reinterpret_cast<Fn>(table[slot]);
}

// A handler with no table of its own: every command and message goes unhandled.
class PlainHandler final : public QOR::CComObjectRoot, public LumoEventHandler {
 public:
  QOR_BEGIN_INTERFACE_MAP(PlainHandler)
  QOR_INTERFACE_ENTRY(IMessageHandler, IID_IMessageHandler)
  QOR_INTERFACE_ENTRY(ILumoCommandHandler, IID_ILumoCommandHandler)
  QOR_INTERFACE_ENTRY(IObserver, IID_IObserver)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()
};

ComPtr<PlainHandler> NewPlainHandler() {
  ComPtr<PlainHandler> handler;
  handler.Attach(new PlainHandler());
  handler->AddRef();
  return handler;
}

class HostFacingSlots : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK); }
};

TEST_F(HostFacingSlots, MessageClassObject) {
  IMsgIdMessageClassObject* const command = &NamedCommandClassObject(NamedCommand::ClearAnalysis);
  using GetIdFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t*);
  using BstrFn = HRESULT(STDMETHODCALLTYPE*)(void*, BSTR*);
  using FlagFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t, VARIANT_BOOL*);
  uint32_t id = 0;
  ASSERT_EQ(S_OK, Slot<GetIdFn>(command, 3)(command, &id));
  EXPECT_EQ((MsgIdClass<&ZRDocGUID, 3>::Id()), id);
  BSTR name = nullptr;
  ASSERT_EQ(S_OK, Slot<BstrFn>(command, 4)(command, &name));
  EXPECT_EQ(std::wstring(L"ZR_ClearAnalysis"), std::wstring(name ? name : L""));
  SysFreeString(name);
  BSTR group = nullptr;
  ASSERT_EQ(S_OK, Slot<BstrFn>(command, 5)(command, &group));
  EXPECT_EQ(std::wstring(L"Ondara"), std::wstring(group ? group : L""));
  SysFreeString(group);
  VARIANT_BOOL flag7 = VARIANT_FALSE;
  VARIANT_BOOL flag8 = VARIANT_TRUE;
  EXPECT_EQ(S_OK, Slot<FlagFn>(command, 7)(command, 0, &flag7));
  EXPECT_EQ(S_OK, Slot<FlagFn>(command, 8)(command, 0, &flag8));
  EXPECT_EQ(VARIANT_TRUE, flag7);
  EXPECT_EQ(VARIANT_FALSE, flag8);
  // Slot 10 refuses a missing target.
  using WriteFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t, IMessage*, void*, uint32_t);
  EXPECT_EQ(E_FAIL, Slot<WriteFn>(command, 10)(command, 0, nullptr, nullptr, 0));
}

TEST_F(HostFacingSlots, HandlerInterfaces) {
  auto parent = NewPlainHandler();
  auto child = NewPlainHandler();
  IMessageHandler* const parentPart = parent.Get();
  IMessageHandler* const childPart = child.Get();
  using HandlerFn = HRESULT(STDMETHODCALLTYPE*)(void*, IMessageHandler*);
  using IdentityFn = HRESULT(STDMETHODCALLTYPE*)(void*, IUnknown**);
  ASSERT_EQ(S_OK, Slot<HandlerFn>(parentPart, 4)(parentPart, childPart));
  EXPECT_EQ(parentPart, child->Parent());
  IUnknown* identity = nullptr;
  ASSERT_EQ(S_OK, Slot<IdentityFn>(childPart, 7)(childPart, &identity));
  EXPECT_EQ(static_cast<IUnknown*>(parentPart), identity);
  if (identity) identity->Release();
  EXPECT_EQ(S_OK, Slot<HandlerFn>(parentPart, 5)(parentPart, childPart));
  EXPECT_EQ(nullptr, child->Parent());
  EXPECT_EQ(S_FALSE, Slot<HandlerFn>(parentPart, 5)(parentPart, nullptr));

  ILumoCommandHandler* const commands = parent.Get();
  using ExecuteFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t);
  using ArgsFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t, uint32_t, uintptr_t, uintptr_t);
  EXPECT_EQ(S_FALSE, Slot<ExecuteFn>(commands, 3)(commands, 0x00420001u));
  EXPECT_EQ(S_FALSE, Slot<ArgsFn>(commands, 5)(commands, 0x00420001u, 6, 0, 0));

  IObserver* const observer = parent.Get();
  using NotifyFn = HRESULT(STDMETHODCALLTYPE*)(void*, uint32_t, uint32_t, uint32_t, const void*);
  EXPECT_EQ(S_OK, Slot<NotifyFn>(observer, 4)(observer, 0, 0x00420002u, 0, nullptr));
}

}  // namespace
