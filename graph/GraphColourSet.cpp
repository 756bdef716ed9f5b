// The colour set's reading of the host's colour entries.
#include "graph/GraphColourSet.h"

#include "hostclient/FrameworkAccess.h"
#include "platform/uihelpers/ColourPalettes.h"

namespace {

// The entry's host object for the duration of one read (null when the host makes none).
QOR::ComPtr<IUnknown> EntryObject(uint32_t entryId) {
  QOR::ComPtr<IUnknown> entry;
  if (IObjectFactory* const factory = GetObjectFactory()) factory->CreateByClassId(entryId, 0, entry.Out());
  return entry;
}

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
    mScheme->GetEntryInteger(kColourEntryCount, EntryObject(kColourEntryCount).Get(), &colourCount);
    mScheme->GetEntryInteger(kColourEntryPaletteIndex, EntryObject(kColourEntryPaletteIndex).Get(),
                             &paletteIndex);
    mScheme->GetEntryInteger(kColourEntryGraticule, EntryObject(kColourEntryGraticule).Get(), &graticuleIndex);
    mScheme->GetEntryValue(kColourEntry0B, EntryObject(kColourEntry0B).Get(), &value0B);
    mScheme->GetEntryStyle(kColourEntryGraticuleStyle, EntryObject(kColourEntryGraticuleStyle).Get(),
                           &graticuleStyle);
    mScheme->GetEntryValue(kColourEntry09, EntryObject(kColourEntry09).Get(), &value09);
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
