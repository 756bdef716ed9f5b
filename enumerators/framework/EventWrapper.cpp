// The event reader over a nested enumerator.
#include "enumerators/framework/EventWrapper.h"

#include <algorithm>

#include "enumerators/framework/TemplateEnumId.h"

namespace EEH3 {

EventWrapper::EventWrapper(IUnknown* wrapped) : mWrapped(wrapped) {
  if (wrapped) wrapped->QueryInterface(IID_IEnumEventEx, mNested.OutVoid());
  if (mNested && FAILED(mNested->GetRecordSize(&mRecordSize))) mRecordSize = 0;
  if (mRecordSize <= 0 || mRecordSize > 0x10000) {
    mRecordSize = 0;
    mNested.Reset();
  }
  if (!mNested) {
    atEnd = true;
    return;
  }
  mBuffer.assign(static_cast<size_t>(kBlockRecords) * static_cast<size_t>(mRecordSize), 0);
}

int32_t EventWrapper::BufferedTick(uint32_t at) const noexcept {
  int32_t tick;
  std::memcpy(&tick, mBuffer.data() + static_cast<size_t>(at) * static_cast<size_t>(mRecordSize), sizeof tick);
  return tick;
}

int32_t EventWrapper::Position() {
  if (atEnd || !mNested) return kRecordEndOffset;
  if (index < count) return BufferedTick(index);
  int32_t position = kRecordEndOffset;
  if (FAILED(mNested->GetPosition(&position))) return kRecordEndOffset;
  return position;
}

bool EventWrapper::Advance() {
  if (!mNested) {
    atEnd = true;
    return false;
  }
  if (NextBuffered()) return true;
  int32_t returned = 0;
  int32_t nextUnexamined = 0;
  const HRESULT hr = mNested->Next(kBlockRecords * mRecordSize, readEnd, mBuffer.data(), &returned, &nextUnexamined);
  if (SUCCEEDED(hr) && returned > 0) {
    count = static_cast<uint32_t>(std::min(returned, kBlockRecords));
    index = 0;
    return true;
  }
  if (FAILED(hr) || hr == S_FALSE || nextUnexamined >= dataEnd) atEnd = true;
  return false;
}

void EventWrapper::SeekTo(int32_t tick) {
  if (Position() == tick) return;
  if (tick >= dataEnd) {
    atEnd = true;
    return;
  }
  atEnd = false;
  if (!mNested) {
    atEnd = true;
    return;
  }
  if (count > 0 && BufferedTick(0) <= tick && tick <= BufferedTick(count - 1)) {
    uint32_t at = 0;
    while (BufferedTick(at) < tick) ++at;
    index = at;
    return;
  }
  ResetBuffer();
  mNested->Find(0, tick, tick, dataEnd);  // S_FALSE (nothing there) still leaves the position at tick or later
}

void EventWrapper::SetStartTick(int32_t tick) {
  startSet = true;
  if (!mNested) return;
  // The module's own template enumerators take the start tick directly; any other nested enumerator (the
  // host's, or a hand-written one) is positioned by a search of the one tick.
  ComPtr<ICalcEnum> own;
  if (mWrapped && SUCCEEDED(mWrapped->QueryInterface(IID_TemplateCalcEnum, own.OutVoid())) && own) {
    own->SetStartTick(tick);
    return;
  }
  mNested->Find(0, tick, tick, tick + (tick < kRecordEndOffset ? 1 : 0));
}

void EventWrapper::GetTimeBase(TimeBase* timeBase) {
  *timeBase = TimeBase();
  if (mNested && FAILED(mNested->GetTimeBase(timeBase))) *timeBase = TimeBase();
}

}  // namespace EEH3
