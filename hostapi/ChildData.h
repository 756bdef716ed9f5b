// Host child data: objects a data file keeps for a module while the file is open.
// Ownership: the data file holds one reference on each child it keeps; a child handed out
// through an out pointer carries one reference for the caller.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// {D14754F8-65A9-4EF3-9D7B-1C7070A4FBE8}
inline constexpr GUID IID_IScrivoDataChildData = {
    0xD14754F8, 0x65A9, 0x4EF3, {0x9D, 0x7B, 0x1C, 0x70, 0x70, 0xA4, 0xFB, 0xE8}};

// Implemented by the module; the host calls it when the file is copied or its data changes.
// Record ranges are [first, end): end is one past the last record concerned.
struct IScrivoDataChildData : IUnknown {
  // Slot 3: the child's 32-bit type id (class index << 16 | number); the file finds it by it.
  virtual HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) = 0;
  // Slot 4: a copy of the child for a copy of (part of) the file. sourceFile is the file copied
  // from, targetFile the new file (its data-file interface is reached by QueryInterface); the
  // range arguments describe the part copied (0 and 0x7FFFFFFF for all).
  virtual HRESULT STDMETHODCALLTYPE Clone(IUnknown* sourceFile, int32_t firstRecord,
                                          int32_t endRecord, int32_t firstChannel,
                                          int32_t endChannel, IUnknown* targetFile,
                                          IScrivoDataChildData** clone) = 0;
  // Slot 5: the samples of records [firstRecord, endRecord) changed in the given channels and
  // ticks (channel and tick ranges as the host knows them; 0 and 0x7FFFFFFF for all).
  virtual HRESULT STDMETHODCALLTYPE OnRecordsChanged(IUnknown* file, int32_t firstChannel,
                                                     int32_t endChannel, int32_t firstTick,
                                                     int32_t endTick, int32_t firstRecord,
                                                     int32_t endRecord) = 0;
  // Slot 6: records were inserted (first < second: second - first new records at first) or
  // removed (first > second: records [second, first) removed).
  virtual HRESULT STDMETHODCALLTYPE OnRecordsMoved(IUnknown* file, int32_t first,
                                                   int32_t second) = 0;
  // Slot 7: the data of one channel changed in records [firstRecord, endRecord). The low byte
  // of flags is the kind of change (2 recorded samples, 4 calculation); bit 0x20000000 with
  // kind 4 says the calculation's own samples changed, not its settings. The host passes 0 for
  // the reserved arguments.
  virtual HRESULT STDMETHODCALLTYPE OnChannelDataChanged(
      IUnknown* file, int32_t reserved1, int32_t channel, uint32_t flags, int32_t firstTick,
      int32_t endTick, int32_t reserved2, int32_t reserved3, int32_t reserved4,
      int32_t firstRecord, int32_t endRecord, int32_t reserved5) = 0;
  // Slot 8: the deleting destructor; the host never calls it (it releases the child).
  virtual void* STDMETHODCALLTYPE DeletingDestructor(unsigned int flags) = 0;
};
