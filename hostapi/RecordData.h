// Host record data: the data file's record-data interface, as far as the module calls it.
// Ownership: out-parameters are checked for null (E_POINTER) and filled only on success, so a
// caller may preset them with the answer it wants when the host has none.
#pragma once

#include "hostapi/CalcEnum.h"
#include "hostapi/SampleSource.h"

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {AD6CD303-7868-4A12-B4AE-97C02EE8F5E3}
inline constexpr GUID IID_IHostRecordData = {
    0xAD6CD303, 0x7868, 0x4A12, {0xB4, 0xAE, 0x97, 0xC0, 0x2E, 0xE8, 0xF5, 0xE3}};

// A place in the recording: record index and tick offset within that record.
struct DataPosition {
  int32_t mRecord;
  int32_t mRecordOffset;
};
static_assert(sizeof(DataPosition) == 8, "a position is two 32-bit words");

namespace QOR {
struct IQORString;
}

// Reads a channel's samples as pixel points for a trace: for each position (one pixel column)
// a pair of points, a vertical segment covering what the samples of that column span, joined to
// the column before.
struct IPointReader : IUnknown {
  // Slot 3: points from position on, for at most count positions and at most capacity points
  // (pairs only); *points the number written, *consumed the positions they cover. S_FALSE with
  // nothing when the data ends.
  virtual HRESULT STDMETHODCALLTYPE ReadPoints(int64_t position, int32_t count, int32_t capacity, POINT* buffer,
                                               int32_t* points, int32_t* consumed) = 0;
  // Slot 4: the position the next read starts at.
  virtual HRESULT STDMETHODCALLTYPE GetPosition(int64_t* position) = 0;
};

// The host's event readers answer the event buffer under the event enumerator's IID.
inline constexpr const GUID& IID_IEventBuffer = IID_IEnumEventEx;

// The event records of an event reader, a buffer at a time. Every record begins with the event
// head: tick (int32), fraction of a tick (float), value (double).
struct IEventBuffer : IUnknown {
  // Slot 3: the class value of the records read last (the type id of their draw class).
  virtual HRESULT STDMETHODCALLTYPE GetClassValue(uint32_t* value) = 0;
  // Slot 4: the next records, at most capacity bytes of them; S_FALSE with none at the end.
  virtual HRESULT STDMETHODCALLTYPE ReadEvents(int32_t capacity, void* buffer, int32_t* recordSize,
                                               int32_t* count) = 0;
  // Slot 5: the record the events belong to.
  virtual HRESULT STDMETHODCALLTYPE GetRecord(int32_t* record) = 0;
};

// The units of a channel in a record.
struct IChannelUnits : IUnknown {
  // Slot 3: value shown = value stored * scale.
  virtual HRESULT STDMETHODCALLTYPE GetScale(uint32_t request, double* scale) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFactor(double* factor) = 0;
  // Slot 5: the lowest and highest value the record holds (range[0], range[1]).
  virtual HRESULT STDMETHODCALLTYPE GetRange(double* range) = 0;
};

// The bounds a point reader maps values and positions into.
struct PointReaderArea {
  RECT rect;          // pixels; rect.left is the column of position `first`
  int64_t first;      // the first position to read
  int64_t last;       // one past the last
  double low;         // the value drawn at rect.bottom - 1
  double high;        // the value drawn at rect.top
};

// Reached by QueryInterface from the host's data-file object; a test document (hostapi/
// TestDocument.h) is handed out as this interface. Slots 12 to 20 belong to the host and are not
// called by the module.
struct IHostRecordData : IUnknown {
  // Slot 3: the end of the data: the last record and the tick one past its last sample; reserved
  // is 0. An empty document leaves *position as the caller preset it and answers S_FALSE.
  virtual HRESULT STDMETHODCALLTYPE GetEndPosition(int32_t reserved, DataPosition* position) = 0;
  // Slot 4: the record the host writes next or last wrote (the last record of the file), -1 in an
  // empty file; drawers read it at each record start. reserved is 0.
  virtual HRESULT STDMETHODCALLTYPE GetRecordValue(int32_t reserved, int32_t* value) = 0;
  // Slot 5: a new reader of the channel in the record (request flags as the data document's
  // GetChannelSource, the whole record); E_INVALIDARG for a channel or record that does not
  // exist, S_FALSE and null when the request has nothing.
  virtual HRESULT STDMETHODCALLTYPE QueryChannel(uint32_t request, int32_t record, int32_t channel,
                                                 IUnknown** result) = 0;
  // Slot 6: a point reader of the channel over the area, laid out by the pane's horizontal scale
  // object scale (positions to records and samples); style is the trace's draw style.
  virtual HRESULT STDMETHODCALLTYPE CreatePointReader(uint32_t request, int32_t channel, IUnknown* scale,
                                                      const PointReaderArea* area, uint32_t style,
                                                      IPointReader** reader) = 0;
  // Slot 7: the channel's units text in the record.
  virtual HRESULT STDMETHODCALLTYPE GetUnits(uint32_t request, int32_t record, int32_t channel,
                                             QOR::IQORString** units) = 0;
  // Slot 8: whether the channel holds values in the record (the record value 0x7FFFFFFE: none).
  virtual HRESULT STDMETHODCALLTYPE GetValidity(uint32_t request, int32_t record, int32_t channel,
                                                VARIANT_BOOL* valid) = 0;
  // Slot 9
  virtual HRESULT STDMETHODCALLTYPE GetUnitsObject(uint32_t request, int32_t record, int32_t channel,
                                                   IChannelUnits** units) = 0;
  // Slot 10: a reader of the events of a channel (or a data object's events) in a record from
  // startTick to endTick; it answers IEventBuffer.
  virtual HRESULT STDMETHODCALLTYPE CreateEventReader(uint32_t request, uint32_t kindMask, int32_t channel,
                                                      int32_t record, int32_t startTick, int32_t endTick,
                                                      IUnknown** reader) = 0;
  // Slot 11: a drawer asks for the channel's data over a range (a to d and e are the drawer's,
  // passed on as it got them; the three words before e are 0). E_INVALIDARG for a channel that
  // does not exist.
  virtual HRESULT STDMETHODCALLTYPE RequestData(uint32_t request, int32_t channel, int32_t a, int32_t b, int32_t c,
                                                int32_t d, int32_t, int32_t, int32_t, void* e) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved15() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved19() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved20() = 0;
  // Slot 21: the time base of the channel's samples in the record, measured in the record's
  // ticks: one sample every numerator / denominator ticks, the first at `offset` ticks.
  // (1, 1, 0.0) for a channel sampled at the record's tick. reserved is 0. E_INVALIDARG for a
  // record or channel that does not exist; *timeBase is then left as it was.
  virtual HRESULT STDMETHODCALLTYPE GetChannelTimeBase(int32_t reserved, int32_t record,
                                                       int32_t channel, TimeBase* timeBase) = 0;
};
