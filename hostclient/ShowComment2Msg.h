// ShowComment2Msg: the message that asks the host's recording view to show one of the module's
// events as a comment; it finds the event among every source the view draws.
#pragma once

#include "hostapi/Message.h"
#include "hostapi/ScrivoComment.h"

#include <unknwn.h>

#include <cstdint>

namespace QOREvent {
class EventIterSet;
}

namespace ScrivoClient {

// The flags word of a show-comment message; kShowCommentExtra is added on request.
inline constexpr uint32_t kShowCommentFlags = 0x60000000u;
inline constexpr uint32_t kShowCommentExtra = 0x80000000u;

// The comment for the set's next event: 0 with *comment (one reference), or 1 when the set has no
// event or its source fails. The set's own event gives the comment the set holds for it; a
// source's event a new comment coloured and titled by its draw class.
HRESULT BuildComment(QOREvent::EventIterSet& set, IScrivoCommentEx** comment);

// A new show-comment message carrying comment (may be null) and the flags word, which its data
// (IMessage slot 3) gives as the second word; *message receives it with one reference.
HRESULT NewShowComment2Msg(IScrivoCommentEx* comment, uint32_t flags, IMessage** message) noexcept;

// A message carrying the comment of the first event at or after (record, position) among the
// data document's drawn event sources, or no comment when there is none; *message receives it with
// one reference.
HRESULT CreateShowComment2Msg(uint32_t owner, IUnknown* dataDocument, int32_t channel, int32_t record,
                              int32_t position, IMessage** message) noexcept;

}  // namespace ScrivoClient
