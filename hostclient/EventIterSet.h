// EventIterSet: the events of every source the host draws over a data document, read side by
// side from a start position, so that the nearest one can be taken first.
#pragma once

#include "hostapi/CalcEnum.h"
#include "hostapi/ScrivoComment.h"
#include "hostclient/ComPtr.h"

#include <unknwn.h>

#include <cstdint>
#include <deque>
#include <vector>

namespace QOREvent {

using EventBytes = std::vector<unsigned char>;

class EventIterSet {
 public:
  // dataDocument is the host data document (borrowed for the set's life).
  EventIterSet(uint32_t owner, IUnknown* dataDocument, int32_t channel, int32_t record, int32_t position);

  // Searching backward takes the nearest earlier event first (the start position included):
  // set before any source is added. The set searches forward from its construction.
  void SetForward(bool forward) noexcept { mForward = forward; }

  // Tells the document a search begins, then adds every event source its data-object service
  // lists for the start position; sources that do not yield events are skipped. Without the
  // service the set stays empty.
  void AddHostSources();
  // Reads (channel, flags) of the data document from the start position; E_FAIL (and nothing
  // added) when the source has no event interface.
  HRESULT AddSource(int32_t channel, uint32_t flags);
  // Reads source's events from its own position on.
  HRESULT AddSource(IEnumEventEx* source);
  // The set's own event (buffer slot 0), taken before a source's event at the same tick, and the
  // comment that stands for it (may be null; the set keeps a reference).
  void SetOwnEvent(EventBytes record, IScrivoCommentEx* comment = nullptr);
  // The comment given with the own event; null when none was.
  IScrivoCommentEx* OwnComment() const noexcept { return mOwnComment.Get(); }

  // Among the slots holding an event, the one with the smallest tick (ties: the lower slot)
  // goes to *event and becomes current. 1 when no slot has an event, E_FAIL when a source fails,
  // else 0.
  HRESULT TakeCurrent(EventBytes* event);
  // The source of the current event with a reference, and its index in adding order; E_FAIL
  // when the current event is the set's own or none was taken.
  HRESULT CurrentSource(IEnumEventEx** source, int32_t* index) const;
  // The buffer slot of the current event: 0 for the set's own, n for source n - 1.
  int32_t Current() const noexcept { return mCurrent; }
  size_t SourceCount() const noexcept { return mIterators.size(); }
  IUnknown* DataDocument() const noexcept { return mDataDocument; }
  int32_t Record() const noexcept { return mRecord; }

 private:
  struct Iterator {
    ComPtr<IEnumEventEx> source;
    int32_t recordSize = 0;
    bool ended = false;
    std::deque<EventBytes> ahead;  // read ahead, at most kReadAhead records per refill
  };
  static constexpr int kReadAhead = 8;
  HRESULT Refill(Iterator& it);
  // Backward: every event of the source up to the start position, nearest first.
  HRESULT ReadBackward(Iterator& it);

  IUnknown* mDataDocument;
  uint32_t mOwner;
  int32_t mRecord;
  int32_t mPosition;
  int32_t mChannel;
  int32_t mLimit = 0x7FFFFFFF;
  bool mForward = true;
  std::vector<Iterator> mIterators;
  EventBytes mOwn;
  ComPtr<IScrivoCommentEx> mOwnComment;
  int32_t mCurrent = -1;
};

}  // namespace QOREvent
