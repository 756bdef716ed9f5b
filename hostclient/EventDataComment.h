// ScrivoClient::EventDataCommentTP: the comment through which the recording view shows one of the
// module's events: a coloured mark at the event's position with the draw class's tooltip text.
#pragma once

#include "base/String.h"
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
  const wchar_t* timeText = nullptr;  // the event's time, shown after "t = " in its popup
  uint32_t wordA = 0;
  uint32_t wordC = 0;
};

// A new comment with one reference for the caller in *comment.
HRESULT CreateEventDataComment(const EventCommentInit& init, IScrivoCommentEx** comment) noexcept;

// The time text of one of this module's own comments; empty for any other comment.
QOR::String CommentTimeText(IScrivoComment* comment);

// The order of two comments by record, position, word B, word A, word C and text (each as the
// comments report them through slots 3 and 6); true when `self` orders before `other`.
bool CommentOrdersBefore(IScrivoComment* self, IScrivoComment* other);
// Both report the same keys (text compared exactly), or are one object.
bool CommentsEqual(IScrivoComment* self, IScrivoComment* other);

}  // namespace ScrivoClient
