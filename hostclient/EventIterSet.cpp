// EventIterSet: side-by-side reading of the host's event sources.
#include "hostclient/EventIterSet.h"

#include "hostapi/DataDocument.h"
#include "hostapi/DataObjects.h"

#include <cstring>

namespace QOREvent {
namespace {

int32_t TickOf(const EventBytes& record) noexcept {
  int32_t tick = 0;
  std::memcpy(&tick, record.data(), sizeof tick);
  return tick;
}

}  // namespace

EventIterSet::EventIterSet(uint32_t owner, IUnknown* dataDocument, int32_t channel, int32_t record,
                           int32_t position)
    : mDataDocument(dataDocument), mOwner(owner), mRecord(record), mPosition(position), mChannel(channel) {
  mIterators.reserve(8);
}

void EventIterSet::AddHostSources() {
  ComPtr<IHostEventSearch> search;
  if (mDataDocument && SUCCEEDED(mDataDocument->QueryInterface(IID_IHostEventSearch, search.OutVoid())) && search)
    search->BeginEventSearch(kEventSearchRequest);  // what it answers changes nothing here
  ComPtr<IHostDataObjects> objects;
  if (!mDataDocument || FAILED(mDataDocument->QueryInterface(IID_IHostDataObjects, objects.OutVoid())) ||
      !objects)
    return;
  for (int32_t i = 0;; ++i) {
    DrawnSource found{static_cast<int32_t>(0x80000000u), 0xC0000000u, 0};
    int32_t count = 0;
    if (FAILED(objects->GetDrawnSource(0, mRecord, mPosition, i, &found, &count)) || i >= count) return;
    // A source without the event interface is skipped; the walk goes on.
    if (found.kind == kEventSourceKind) AddSource(found.channel, found.flags);
  }
}

HRESULT EventIterSet::AddSource(int32_t channel, uint32_t flags) {
  ComPtr<IHostDataDocument> document;
  if (!mDataDocument || FAILED(mDataDocument->QueryInterface(IID_IHostDataDocument, document.OutVoid())))
    return E_FAIL;
  ComPtr<IUnknown> made;
  // Backward, the source reads the record up to the start position and is then read in reverse.
  const int32_t from = mForward ? mPosition : 0;
  const int32_t to = mForward ? mLimit : (mPosition < mLimit ? mPosition + 1 : mLimit);
  const HRESULT hr = document->GetChannelSource(channel, flags | kChannelRequestSource, mRecord, from, to, made.Out());
  if (hr != S_OK || !made) return E_FAIL;
  ComPtr<IEnumEventEx> events;
  if (FAILED(made->QueryInterface(IID_IEnumEventEx, events.OutVoid())) || !events) return E_FAIL;
  return AddSource(events.Get());
}

HRESULT EventIterSet::AddSource(IEnumEventEx* source) {
  if (!source) return E_POINTER;
  Iterator it;
  if (FAILED(source->GetRecordSize(&it.recordSize)) || it.recordSize < static_cast<int32_t>(sizeof(int32_t)))
    return E_FAIL;
  it.source = ComPtr<IEnumEventEx>(source);
  if (!mForward) {
    const HRESULT hr = ReadBackward(it);
    if (FAILED(hr)) return hr;
  }
  mIterators.push_back(std::move(it));
  return S_OK;
}

void EventIterSet::SetOwnEvent(EventBytes record, IScrivoCommentEx* comment) {
  if (record.size() < sizeof(int32_t)) record.clear();
  mOwn = std::move(record);
  mOwnComment = ComPtr<IScrivoCommentEx>(comment);
}

HRESULT EventIterSet::ReadBackward(Iterator& it) {
  std::deque<EventBytes> earlier;
  while (!it.ended) {
    const HRESULT hr = Refill(it);
    if (FAILED(hr)) return hr;
    for (EventBytes& event : it.ahead)
      if (TickOf(event) <= mPosition) earlier.push_front(std::move(event));
    it.ahead.clear();
  }
  it.ahead = std::move(earlier);
  return S_OK;
}

HRESULT EventIterSet::Refill(Iterator& it) {
  if (!it.ahead.empty() || it.ended) return S_OK;
  EventBytes block(static_cast<size_t>(it.recordSize) * kReadAhead);
  int32_t returned = 0;
  int32_t next = 0;
  const HRESULT hr = it.source->Next(static_cast<int32_t>(block.size()), mLimit, block.data(), &returned, &next);
  if (FAILED(hr)) return hr;
  if (returned < 0 || returned > kReadAhead) return E_FAIL;
  // S_FALSE comes only with the end of the record's events; S_OK with no records means no more
  // events yet (the host is still sampling), which ends this search too.
  if (hr == S_FALSE || returned == 0) it.ended = true;
  for (int32_t i = 0; i < returned; ++i) {
    const auto* from = block.data() + static_cast<size_t>(i) * it.recordSize;
    it.ahead.emplace_back(from, from + it.recordSize);
  }
  return S_OK;
}

HRESULT EventIterSet::TakeCurrent(EventBytes* event) {
  if (!event) return E_POINTER;
  event->clear();
  for (Iterator& it : mIterators) {
    if (FAILED(Refill(it))) it.ended = true, it.ahead.clear();
  }
  int32_t best = -1;
  int32_t bestTick = 0;
  auto consider = [&](int32_t slot, const EventBytes& record) {
    const int32_t tick = TickOf(record);
    if (best < 0 || (mForward ? tick < bestTick : tick > bestTick)) best = slot, bestTick = tick;
  };
  if (!mOwn.empty()) consider(0, mOwn);
  for (size_t n = 0; n < mIterators.size(); ++n)
    if (!mIterators[n].ahead.empty()) consider(static_cast<int32_t>(n + 1), mIterators[n].ahead.front());
  if (best < 0) return 1;
  mCurrent = best;
  if (best == 0) {
    *event = std::move(mOwn);
    mOwn.clear();
    return 0;
  }
  std::deque<EventBytes>& ahead = mIterators[static_cast<size_t>(best - 1)].ahead;
  *event = std::move(ahead.front());
  ahead.pop_front();
  return 0;
}

HRESULT EventIterSet::CurrentSource(IEnumEventEx** source, int32_t* index) const {
  if (!source || !index) return E_POINTER;
  *source = nullptr;
  if (mCurrent <= 0 || static_cast<size_t>(mCurrent) > mIterators.size()) return E_FAIL;
  mIterators[static_cast<size_t>(mCurrent - 1)].source.CopyTo(source);
  *index = mCurrent - 1;
  return S_OK;
}

}  // namespace QOREvent
