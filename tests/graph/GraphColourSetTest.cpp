// GraphColourSet: what it reads of the host's colour scheme and how it converts it.
#include "graph/GraphColourSet.h"

#include "tests/graph/GraphTestHost.h"

#include "platform/uihelpers/ColourPalettes.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A scheme answering from a table by entry id, logging the order of the questions.
class TableScheme : public IHostColourScheme {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetEntryInteger(uint32_t id, IUnknown*, int32_t* value) override {
    return Answer(id, reinterpret_cast<uint32_t*>(value));
  }
  HRESULT STDMETHODCALLTYPE GetEntryValue(uint32_t id, IUnknown*, uint32_t* value) override {
    return Answer(id, value);
  }
  HRESULT STDMETHODCALLTYPE GetEntryStyle(uint32_t id, IUnknown*, int32_t* value) override {
    return Answer(id, reinterpret_cast<uint32_t*>(value));
  }
  std::map<uint32_t, uint32_t> values;
  std::vector<uint32_t> asked;

 private:
  HRESULT Answer(uint32_t id, uint32_t* value) {
    asked.push_back(id);
    *value = values[id];
    return S_OK;
  }
};

class OneColourSource : public IHostColourSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetColour(uint16_t index, COLORREF* colour) override {
    *colour = RGB(1, 2, 3) + index;
    return S_OK;
  }
};

class GraphColourSetTest : public GraphTestHost {};

}  // namespace

TEST_F(GraphColourSetTest, ReadsEntriesInOrderAndCountsAtLeastOneColour) {
  TableScheme scheme;
  scheme.values = {{kColourEntryGraticule, 4}, {kColourEntryGraticuleStyle, 7}, {kColourEntry09, 9}};
  OneColourSource source;
  GraphColourSet const set(&scheme, &source);
  EXPECT_EQ(1, set.colourCount);  // the scheme answered 0
  EXPECT_EQ(RGB(1, 2, 3) + 4, set.graticuleColour);
  EXPECT_EQ(7, set.graticuleStyle);
  EXPECT_EQ(9u, set.value09);
  EXPECT_EQ(QOR::GetPaletteColourOfAll(0), set.paletteColour);
  std::vector<uint32_t> const order = {kColourEntryCount, kColourEntryPaletteIndex, kColourEntryGraticule,
                                       kColourEntry0B,    kColourEntryGraticuleStyle, kColourEntry09};
  EXPECT_EQ(order, scheme.asked);
}

TEST_F(GraphColourSetTest, KeepsAHostCountAndWrapsThePaletteIndex) {
  TableScheme scheme;
  scheme.values = {{kColourEntryCount, 12}, {kColourEntryPaletteIndex, 0x10003}};
  GraphColourSet const set(&scheme, nullptr);
  EXPECT_EQ(12, set.colourCount);
  EXPECT_EQ(QOR::GetPaletteColourOfAll(3), set.paletteColour);  // the 16-bit value
}
