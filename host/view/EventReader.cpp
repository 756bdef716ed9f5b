// host::EventReader: an event enumerator read into the drawer's buffer.
#include "host/view/EventReader.h"

namespace host {

EventReader::EventReader(HostPtr<IEnumEventEx> events, int32_t record, int32_t endTick) noexcept
    : mEvents(std::move(events)), mRecord(record), mEndTick(endTick) {}

void* EventReader::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEventBuffer)) return static_cast<IEventBuffer*>(this);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE EventReader::GetClassValue(uint32_t* value) noexcept {
  if (!value) return E_POINTER;
  return mEvents->GetEventType(value);
}

HRESULT STDMETHODCALLTYPE EventReader::ReadEvents(int32_t capacity, void* buffer, int32_t* recordSize,
                                                  int32_t* count) noexcept {
  if (!recordSize || !count || (capacity > 0 && !buffer)) return E_POINTER;
  *count = 0;
  *recordSize = 0;
  if (FAILED(mEvents->GetRecordSize(recordSize)) || *recordSize < 16) return E_FAIL;
  if (capacity < *recordSize) return E_INVALIDARG;
  // An enumerator may answer a buffer without events before it reaches the end tick.
  while (!mEnded && *count == 0) {
    int32_t next = 0;
    const HRESULT read = mEvents->Next(capacity, mEndTick, buffer, count, &next);
    if (FAILED(read)) return read;
    if (read == S_FALSE || next >= mEndTick) mEnded = true;
  }
  return *count > 0 ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE EventReader::GetRecord(int32_t* record) noexcept {
  if (!record) return E_POINTER;
  *record = mRecord;
  return S_OK;
}

}  // namespace host
