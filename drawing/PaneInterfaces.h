// What else a data pane answers to QueryInterface besides its online-data sink and IDrawerDataPane:
// the comment observer (comment changes, which the pane ignores) and the draggable lane rectangles.
// Ownership: the pane is reached with one reference for the caller; arrays stay the caller's.
#pragma once

#include <unknwn.h>

#include <cstdint>

// {996AC8D8-F336-444B-BBE1-CCA9D39EDD1D}
inline constexpr GUID IID_ICommentsObserver = {
    0x996ac8d8, 0xf336, 0x444b, {0xbb, 0xe1, 0xcc, 0xa9, 0xd3, 0x9e, 0xdd, 0x1d}};
// {883ABD1D-12EB-4A87-B792-24D4837B7696}
inline constexpr GUID IID_IQORDraggableRects = {
    0x883abd1d, 0x12eb, 0x4a87, {0xb7, 0x92, 0x24, 0xd4, 0x83, 0x7b, 0x76, 0x96}};

struct ICommentsObserver : IUnknown {
  // Slot 3: the comments of a document changed (six words of the host's).
  virtual HRESULT STDMETHODCALLTYPE OnCommentsChanged(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) = 0;
};

struct IQORDraggableRects : IUnknown {
  // Slot 3: the lanes' tops and bottoms in client pixels, count entries each (lane order).
  virtual HRESULT STDMETHODCALLTYPE SetDragRects(int32_t count, const int32_t* tops, const int32_t* bottoms) = 0;
};
