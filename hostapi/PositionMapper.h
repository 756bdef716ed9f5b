// Host position mapper: a source that places positions at columns of its own (a source laid out
// other than end to end) answers it; a trace and an event drawer ask their source for it.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {9BC31240-8993-40B9-B4A2-6D23DC5B68B5}
inline constexpr GUID IID_IPositionMapper = {
    0x9BC31240, 0x8993, 0x40B9, {0xB4, 0xA2, 0x6D, 0x23, 0xDC, 0x5B, 0x68, 0xB5}};

struct IPositionMapper : IUnknown {
  // Slot 3: the column of a position and the paint mode there (2: drawn in black, 3: in the
  // caller's colour, other: the trace's colour).
  virtual HRESULT STDMETHODCALLTYPE PositionToColumn(int64_t position, int32_t* column, int32_t* mode) = 0;
  // Slot 4: the positions (request 0x80000000: ticks) columns first to last show.
  virtual HRESULT STDMETHODCALLTYPE ColumnsToPositions(uint32_t request, int32_t first, int32_t last,
                                                       int64_t* firstPosition, int64_t* lastPosition) = 0;
};
