// ScrivoDraw::DrawerBase: identity, attaching to a stand-in data file, record starts and the
// interface's slot order.
#include "drawing/DrawerBase.h"

#include "tests/drawing/DrawingTestSupport.h"
#include "tests/support/HostDataFile.h"

#include <gtest/gtest.h>

namespace {

using drawingtest::TestDrawer;
using ScrivoDraw::ChannelPair;
using ScrivoDraw::LayerPair;

QOR::ComPtr<TestDrawer> MakeDrawer(int32_t kind, LayerPair layer, ChannelPair channel) {
  return QOR::ComPtr<TestDrawer>(new TestDrawer("d", kind, nullptr, layer, channel));
}

ULONG RefsOf(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

TEST(DrawerBase, LayerPairFallsBackToTheChannelPair) {
  auto byChannel = MakeDrawer(1, {0x80000000u, 0x1234u}, {3, 0x40000000u});
  LayerPair pair{};
  ASSERT_EQ(S_OK, byChannel->GetLayerPair(&pair));
  EXPECT_EQ(3u, pair.first);
  EXPECT_EQ(0x40000000u, pair.second);
  auto own = MakeDrawer(1, {7, 9}, {3, 1});
  ASSERT_EQ(S_OK, own->GetLayerPair(&pair));
  EXPECT_EQ((LayerPair{7, 9}), pair);
  EXPECT_EQ(0x80001000u | 1u, own->RequestWord());
}

TEST(DrawerBase, AttachPaneKeepsOneReferenceAndNullDropsTheDataFile) {
  auto document = testsupport::LoadHostDocument();
  IUnknown* const source = static_cast<IHostDocument*>(document.Get());
  auto drawer = MakeDrawer(0x201, {0x80000000u, 0xC0000000u}, {0, 1});
  const ULONG before = RefsOf(source);
  ASSERT_EQ(S_OK, drawer->AttachPane(-1, source));
  ASSERT_EQ(S_OK, drawer->AttachPane(-1, source));
  EXPECT_EQ(before + 1, RefsOf(source));
  EXPECT_TRUE(drawer->HasHostData());
  // The stand-in answers the channel's reader through the drawer's request word.
  QOR::ComPtr<IUnknown> reader;
  EXPECT_EQ(S_OK, drawer->QueryChannel(0, reader.Out()));
  EXPECT_NE(nullptr, reader.Get());
  ASSERT_EQ(S_OK, drawer->AttachPane(-1, nullptr));
  EXPECT_EQ(before, RefsOf(source));
  EXPECT_FALSE(drawer->HasHostData());
}

TEST(DrawerBase, QueryChannelWithoutChannelAnswersNothing) {
  auto drawer = MakeDrawer(1, {0x80000000u, 0xC0000000u}, {-1, 0});
  IUnknown* result = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(S_FALSE, drawer->QueryChannel(0, &result));
  EXPECT_EQ(nullptr, result);
  EXPECT_EQ(E_POINTER, drawer->QueryChannel(0, nullptr));
}

TEST(DrawerBase, RecordStartTakesTheHostRecordValueThenRefreshes) {
  auto document = testsupport::LoadHostDocument();
  auto drawer = MakeDrawer(0x201, {0x80000000u, 0xC0000000u}, {0, 1});
  EXPECT_EQ(-1, drawer->RecordValue());
  drawer->AttachPane(-1, static_cast<IHostDocument*>(document.Get()));
  ASSERT_EQ(S_OK, drawer->OnRecordStart(1, VARIANT_TRUE));
  // The stand-in's file holds two records: the last one is record 1.
  EXPECT_EQ(1, drawer->RecordValue());
  EXPECT_TRUE(drawer->Sampling());
  EXPECT_TRUE(drawer->InRecord());
  EXPECT_EQ(std::vector<uint32_t>{0xFF000000u}, drawer->refreshes);
  drawer->OnRecordEnd(0, nullptr);
  EXPECT_FALSE(drawer->InRecord());
  drawer->OnRecordStart(1, VARIANT_TRUE);
  drawer->AttachPane(-1, static_cast<IHostDocument*>(document.Get()));
  EXPECT_FALSE(drawer->Sampling());
  EXPECT_FALSE(drawer->InRecord());
}

// Calls through the raw table, as the lanes' callers lay it out.
TEST(DrawerBase, SlotsSitInTheirPlaces) {
  auto drawer = MakeDrawer(0x402, {0x80000000u, 0xC0000000u}, {5, 2});
  void** const table = *reinterpret_cast<void***>(static_cast<IScrivoRecordDrawer*>(drawer.Get()));
  using GetKindFn = HRESULT(STDMETHODCALLTYPE*)(void*, int32_t*);
  using GetLayerPairFn = HRESULT(STDMETHODCALLTYPE*)(void*, LayerPair*);
  using SetLaneIndexFn = HRESULT(STDMETHODCALLTYPE*)(void*, int32_t, int32_t);
  using SetDisplayModeFn = HRESULT(STDMETHODCALLTYPE*)(void*, int32_t);
  int32_t kind = 0;
  ASSERT_EQ(S_OK, reinterpret_cast<GetKindFn>(table[5])(drawer.Get(), &kind));
  EXPECT_EQ(0x402, kind);
  LayerPair pair{};
  ASSERT_EQ(S_OK, reinterpret_cast<GetLayerPairFn>(table[22])(drawer.Get(), &pair));
  EXPECT_EQ((LayerPair{5, 2}), pair);
  ASSERT_EQ(S_OK, reinterpret_cast<SetLaneIndexFn>(table[23])(drawer.Get(), 0, 4));
  EXPECT_EQ(4, drawer->LaneIndex());
  EXPECT_EQ(S_OK, reinterpret_cast<SetDisplayModeFn>(table[30])(drawer.Get(), 3));
}

}  // namespace
