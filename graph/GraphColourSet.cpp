// The colour set's reading of the host's colour entries.
#include "graph/GraphColourSet.h"

#include "hostclient/FrameworkAccess.h"
#include "platform/uihelpers/ColourPalettes.h"

namespace {

class SourceAdapter : public QOR::PaletteColourSource {
 public:
  explicit SourceAdapter(IHostColourSource* source) noexcept : mSource(source) {}
  bool GetColour(uint16_t index, COLORREF& colour) const override {
    return SUCCEEDED(mSource->GetColour(index, &colour));
  }

 private:
  IHostColourSource* mSource;
};

}  // namespace

GraphColourSet::GraphColourSet(IHostColourScheme* scheme, IHostColourSource* colours)
    : mScheme(scheme), mColours(colours) {
  Load();
}

void GraphColourSet::Load() {
  int32_t paletteIndex = 0;
  int32_t graticuleIndex = 0;
  colourCount = 0;
  value0B = value09 = 0;
  graticuleStyle = 0;
  if (mScheme) {
    mScheme->GetEntryInteger(kColourEntryCount, CreateEntryObject(kColourEntryCount).Get(), &colourCount);
    mScheme->GetEntryInteger(kColourEntryPaletteIndex, CreateEntryObject(kColourEntryPaletteIndex).Get(),
                             &paletteIndex);
    mScheme->GetEntryInteger(kColourEntryGraticule, CreateEntryObject(kColourEntryGraticule).Get(), &graticuleIndex);
    mScheme->GetEntryValue(kColourEntry0B, CreateEntryObject(kColourEntry0B).Get(), &value0B);
    mScheme->GetEntryStyle(kColourEntryGraticuleStyle, CreateEntryObject(kColourEntryGraticuleStyle).Get(),
                           &graticuleStyle);
    mScheme->GetEntryValue(kColourEntry09, CreateEntryObject(kColourEntry09).Get(), &value09);
  }
  if (colourCount == 0) colourCount = 1;
  // The graticule's look-up chooses the palette (by whether there is a source); the palette
  // colour is read from that same choice.
  if (mColours) {
    SourceAdapter const source(mColours.Get());
    graticuleColour = QOR::GetPaletteColour(static_cast<uint16_t>(graticuleIndex), &source);
  } else {
    graticuleColour = QOR::GetPaletteColour(static_cast<uint16_t>(graticuleIndex));
  }
  paletteColour = QOR::GetPaletteColourOfAll(static_cast<uint16_t>(paletteIndex));
}
