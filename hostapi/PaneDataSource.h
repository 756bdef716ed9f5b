// Host data source of a data pane: makes the pane's horizontal scale object, feeds the pane as
// an online data sink and turns tick positions into absolute ticks; and the host's colour
// interface that a source may answer.
// Ownership: out pointers are filled with one reference for the caller; a registered pane is
// held (one reference) until it is unregistered.
#pragma once

#include "hostapi/OnlineData.h"
#include "hostapi/RecordDataPixMap.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {B43836B3-BDA6-4F14-8DB2-754731A027BE}
inline constexpr GUID IID_IHostColour = {
    0xB43836B3, 0xBDA6, 0x4F14, {0x8D, 0xB2, 0x75, 0x47, 0x31, 0xA0, 0x27, 0xBE}};

// The drawing settings of a source's views.
struct IHostColour : IUnknown {
  // Slot 3: the background of the source's views (a and b are 0).
  virtual HRESULT STDMETHODCALLTYPE GetColour(int32_t a, int32_t b, COLORREF* colour) = 0;
  // Slot 4: the graticule's colour, whether it draws time lines, and its style (0: dotted value
  // and time lines; other: time lines dotted only where they cross value rows).
  virtual HRESULT STDMETHODCALLTYPE GetGridStyle(int32_t reserved, COLORREF* colour, int16_t* timeGrid,
                                                 int32_t* style) = 0;
  // Slot 5: a channel's trace style (low 16 bits 1: drawn lightened in grey).
  virtual HRESULT STDMETHODCALLTYPE GetTraceStyle(int32_t channel, uint32_t* style) = 0;
  // Slot 6: a channel's trace colour; S_FALSE when the source has none of its own.
  virtual HRESULT STDMETHODCALLTYPE GetTraceColour(uint32_t request, int32_t channel, uint32_t selector,
                                                   COLORREF* colour) = 0;
  // Slot 7: a channel's trace width in print output.
  virtual HRESULT STDMETHODCALLTYPE GetPenWidth(int32_t channel, int32_t* width) = 0;
};

// Handed to a pane by its owner (no interface id of its own).
struct IPaneDataSource : IUnknown {
  // Slot 3: a new horizontal scale object over the source's data.
  virtual HRESULT STDMETHODCALLTYPE CreateHorizontalScale(IRecordDataPixMap** scale) = 0;
  // Slot 4: the pane hears the host's sampling from now on; null unregisters the pane held.
  virtual HRESULT STDMETHODCALLTYPE RegisterPane(IOnlineDataSink* pane) = 0;
  // Slot 5: the ticks before (record, tick) counted over all records.
  virtual HRESULT STDMETHODCALLTYPE TickToAbsolute(int32_t record, int32_t tick, int64_t* absolute) = 0;
  // Slot 6: the record the host samples into; S_FALSE (and -1) when it samples none.
  virtual HRESULT STDMETHODCALLTYPE GetSampledRecord(int32_t* record) = 0;
  // Slot 7: the data file the source reads (IHostDataFile).
  virtual HRESULT STDMETHODCALLTYPE GetHostDataFile(IUnknown** file) = 0;
};
