// ScrivoClient::EventDataCommentTP: the comment through which the recording view shows one of the
// module's events: a coloured mark at the event's position with the draw class's tooltip text.
#pragma once

#include "hostapi/ScrivoComment.h"

#include <windows.h>

#include <cstdint>

namespace ScrivoClient {

struct EventCommentInit {
  uint32_t typeId = 0;  // the event source's type id (0: none)
  int32_t record = 0;
  int32_t position = 0;
  COLORREF colour = 0x00FFFFFF;
  const wchar_t* text = nullptr;
  uint32_t wordA = 0;
  uint32_t wordC = 0;
};

// A new comment with one reference for the caller in *comment.
HRESULT CreateEventDataComment(const EventCommentInit& init, IScrivoCommentEx** comment) noexcept;

// The order of two comments by record, position, word B, word A, word C and text (each as the
// comments report them through slots 3 and 6); true when `self` orders before `other`.
bool CommentOrdersBefore(IScrivoComment* self, IScrivoComment* other);
// Both report the same keys (text compared exactly), or are one object.
bool CommentsEqual(IScrivoComment* self, IScrivoComment* other);

}  // namespace ScrivoClient
