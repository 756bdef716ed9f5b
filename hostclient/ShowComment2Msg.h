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

// The comment for the set's next event: 0 with *comment (one reference), or 1 when the set has no
// event or its source fails. dataDocument and the set's record locate the event for its draw class.
HRESULT BuildComment(QOREvent::EventIterSet& set, IScrivoCommentEx** comment);

// A message carrying the comment of the first event at or after (record, position) among the
// data document's drawn event sources, or no comment when there is none; *message receives it with
// one reference.
HRESULT CreateShowComment2Msg(uint32_t owner, IUnknown* dataDocument, int32_t channel, int32_t record,
                              int32_t position, IMessage** message) noexcept;

}  // namespace ScrivoClient
