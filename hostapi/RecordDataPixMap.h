// Host record pixel-map interface: IRecordDataPixMap, positions of recorded data laid out as
// records, each a 64-bit position range with a lead-in offset before its data.
// Ownership: out pointers are filled by the callee; the map holds no reference to its caller.
#pragma once

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {49896434-BD68-40F9-AB75-7892BDE78CF3}
inline constexpr GUID IID_IRecordDataPixMap = {
    0x49896434, 0xBD68, 0x40F9, {0xAB, 0x75, 0x78, 0x92, 0xBD, 0xE7, 0x8C, 0xF3}};

// A scale as a 64-bit ratio.
struct PixMapScale {
  int64_t numerator;
  int64_t denominator;
};
static_assert(sizeof(PixMapScale) == 16, "four 32-bit words");

// Where a position falls: its offset from the start of the record's data, and the record.
struct PixMapRecordPosition {
  int64_t offset;
  int32_t record;
};
static_assert(sizeof(PixMapRecordPosition) == 16, "64-bit offset, record, padding");

// A tick position: a tick (with its fraction) of a record.
struct PixMapTick {
  double tick;
  int32_t record;
  int32_t reserved;
};
static_assert(sizeof(PixMapTick) == 16, "a double and two words");

// A row and its record.
struct PixMapRowPosition {
  int32_t row;
  int32_t record;
};
static_assert(sizeof(PixMapRowPosition) == 8, "two 32-bit words");

// What the labels of a time strip need of the part of a record being painted: the clock settings,
// the origins of the display kinds and the seconds per pixel. A position p stands for the time
// p * secondsPerPixel; less timeOrigin it is the label clock's time.
struct PixMapTimeScale {
  double secondsPerPixel;
  double timeOrigin;        // subtracted from a start time to give the label clock's time
  // The label clock: a time of day and its universal-time offset (maybe not a number), and the
  // reference that an elapsed time of display kind 1 counts from.
  double clockTimeOfDay;
  double clockOffset;
  double referenceTimeOfDay;
  double referenceOffset;
  double startTime;         // display kind 3 counts from the record's start
  double startFraction;
  double offset;            // subtracted from every display kind's origin
};

// Slots 3-41 in order. The reserved slots keep their places and their argument words (the number
// is the slot's); what the host means by them is not used here: they answer E_NOTIMPL, slots
// 32-34 answer 0.
struct IRecordDataPixMap : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetSource(int32_t value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4(uint32_t, uint32_t, uint32_t, uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5(uint32_t, uint32_t) = 0;
  // which: 0 the lead-in of the first record, 1 of every later record, 2 a third offset.
  virtual HRESULT STDMETHODCALLTYPE SetOffset(int32_t which, int32_t value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved7(uint32_t, uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetScale(int64_t numerator, int64_t denominator) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScale(PixMapScale* scale) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved10(uint32_t, uint32_t, uint32_t, uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved11(uint32_t, uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE Rebuild(uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE BeginAppend(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                                                uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) = 0;
  // Slot 14: new data while sampling: count ticks more; the right end of the data afterwards.
  virtual HRESULT STDMETHODCALLTYPE NewData(uint32_t reserved, int32_t count, int64_t* rightPosition) = 0;
  virtual HRESULT STDMETHODCALLTYPE EndAppend(uint32_t) = 0;
  // S_FALSE when not appending: the position after the last record.
  virtual HRESULT STDMETHODCALLTYPE GetAppendPosition(uint32_t, int64_t* position) = 0;
  // Slot 17: sampling starts (GetTotalLength then gives the extent it starts from).
  virtual HRESULT STDMETHODCALLTYPE SamplingStart(int32_t argument) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTotalLength(int64_t* length) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRecordCount(int32_t* count) = 0;
  // Slot 20: the tick position of a position: mode 2 keeps the fraction of a tick, any other
  // mode gives the tick the position starts in. S_FALSE for a position in no record.
  virtual HRESULT STDMETHODCALLTYPE PositionToTick(int32_t mode, int64_t position, PixMapTick* tick) = 0;
  // S_FALSE for a position past the record's end or negative.
  virtual HRESULT STDMETHODCALLTYPE PositionToRecord(int64_t position, PixMapRecordPosition* where,
                                                     int64_t* recordEnd) = 0;
  // Slot 22
  virtual HRESULT STDMETHODCALLTYPE SamplingStop(VARIANT_BOOL argument) = 0;
  // S_FALSE with both set to INT64_MIN for a record that does not exist.
  virtual HRESULT STDMETHODCALLTYPE GetRecordRange(int32_t record, int64_t* start, int64_t* end) = 0;
  // mode 0: a position in a record's lead-in belongs to the previous record when it lies in the
  // lead-in's first half; mode 1: always.
  virtual HRESULT STDMETHODCALLTYPE PositionToRow(int32_t mode, int64_t position, int64_t* offset,
                                                  PixMapRowPosition* row) = 0;
  // Slot 25: what a time strip's labels need of the record holding position (E_INVALIDARG for a
  // position in no record).
  virtual HRESULT STDMETHODCALLTYPE GetScaleRecord(int64_t position, PixMapTimeScale* scale) = 0;
  // Slot 26: where the record after the one holding position starts; S_FALSE (and INT64_MAX)
  // when no record follows.
  virtual HRESULT STDMETHODCALLTYPE GetNextRecordStart(int64_t position, int64_t* start) = 0;
  // Slot 27: the position (with its fraction) of a tick of a record.
  virtual HRESULT STDMETHODCALLTYPE TickToPosition(int32_t reserved, int32_t record, double tick, double* position) = 0;
  // Slot 28: a notification the pane's sink received.
  virtual HRESULT STDMETHODCALLTYPE SinkNotify(int32_t a, int32_t b) = 0;
  // Slot 29: how 0x80000000: bound to the pane target; 0x8000: re-bound to the data source
  // target. The object keeps no reference on a pane.
  virtual HRESULT STDMETHODCALLTYPE Bind(uint32_t how, IUnknown* target) = 0;
  // Slot 30: the value of a position that a change of scaling keeps in proportion (value times
  // old over new scaling is the value at the new scaling); slot 31 turns it back.
  virtual HRESULT STDMETHODCALLTYPE PositionToValue(int64_t position, int64_t* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ValueToPosition(int64_t value, int64_t* position) = 0;
  // Slot 32: changes the pane must apply before its next paint (0xFF000000 bits).
  virtual HRESULT STDMETHODCALLTYPE GetPendingMask(int32_t reserved, uint32_t* mask) = 0;
  // Slot 33: the pane applied these changes.
  virtual HRESULT STDMETHODCALLTYPE MaskApplied(uint32_t mask) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved34(uint32_t) = 0;
  // Slot 35: the data object the positions are laid out for (it answers IHostRecordData).
  virtual HRESULT STDMETHODCALLTYPE GetDataObject(IUnknown** object) = 0;
  // Slot 36: the segment (record with positions) after segment: its index, first position and
  // end; S_FALSE when there is none.
  virtual HRESULT STDMETHODCALLTYPE NextSegment(int32_t segment, int32_t* next, int64_t* start, int64_t* end) = 0;
  // Slot 37: a drawer asks for room beside the lanes (kind 0x80000001: left, 0x80000002: right,
  // in pixels; 0: the requests begin).
  virtual HRESULT STDMETHODCALLTYPE RequestMargin(uint32_t kind, int32_t pixels) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved38(uint32_t, uint32_t, uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved39(uint32_t, uint32_t, uint32_t, uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved40(uint32_t, uint32_t, uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved41(uint32_t) = 0;
};
