// host::EventReader: the events of a channel in a record, read for an event drawer a buffer at
// a time, with the type id of their draw class as the class value.
#pragma once

#include "host/common/HostObject.h"
#include "host/common/HostPtr.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/RecordData.h"

namespace host {

class EventReader final : public HostObject<IEventBuffer> {
 public:
  // events ends at endTick (kEnumRecordEnd: the record's end).
  EventReader(HostPtr<IEnumEventEx> events, int32_t record, int32_t endTick) noexcept;

  HRESULT STDMETHODCALLTYPE GetClassValue(uint32_t* value) noexcept override;
  HRESULT STDMETHODCALLTYPE ReadEvents(int32_t capacity, void* buffer, int32_t* recordSize,
                                       int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetRecord(int32_t* record) noexcept override;

 private:
  void* FindInterface(REFIID iid) override;

  HostPtr<IEnumEventEx> mEvents;
  int32_t mRecord;
  int32_t mEndTick;
  bool mEnded = false;
};

}  // namespace host
