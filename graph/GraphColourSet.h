// GraphColourSet: a graph's colours read from the host's colour scheme.
#pragma once

#include "hostapi/ColourScheme.h"
#include "hostclient/ComPtr.h"

#include <windows.h>

#include <cstdint>

// Holds a reference on both interfaces. Either may be null: values it cannot read stay 0.
class GraphColourSet {
 public:
  GraphColourSet(IHostColourScheme* scheme, IHostColourSource* colours);

  // Reads the six entries again.
  void Load();

  uint32_t value0B = 0;
  COLORREF paletteColour = 0;    // the module palette's colour at the entry's index
  COLORREF graticuleColour = 0;  // through the colour source
  int32_t colourCount = 0;       // at least 1 after Load
  int32_t graticuleStyle = 0;
  uint32_t value09 = 0;

 private:
  QOR::ComPtr<IHostColourScheme> mScheme;
  QOR::ComPtr<IHostColourSource> mColours;
};
