// The recording view's comments: one per event it draws, described by the event's draw class,
// the comments modules send it in show-comment messages, and the user activating one.
#pragma once

#include "host/common/HostPtr.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/Message.h"
#include "hostapi/ScrivoComment.h"
#include "hostapi/TypeRegistry.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct ViewComment {
  HostPtr<IScrivoComment> comment;
  std::wstring text;
  int32_t record = 0;
  int32_t position = 0;
  COLORREF colour = 0;
  uint32_t flags = 0;  // a show-comment message's flags word (its data's second word)
};

class RecordingComments {
 public:
  // Replaces the event comments with those of record: every event of every source the data
  // document lists as drawn (IHostDataObjects::GetDrawnSource), coloured and titled by the draw
  // class of the source's event type. Fails with the first host call that fails.
  HRESULT CollectEventComments(IClassRegistry* registry, IUnknown* dataDocument, int32_t record);
  // A module's show-comment message: its comment joins the view (E_INVALIDARG for another message,
  // S_FALSE when it carries none).
  HRESULT Receive(IMessage* message);
  // The user activates the first comment named text: the document (its IObserver) is told
  // through the comment-activated notification. A comment is named by its text up to the first
  // "; " (a calculated event's comment goes on with its height and duration). S_FALSE when no
  // comment is named so.
  HRESULT ShowComment(IUnknown* customDocument, ITypeRegistry* types, const std::wstring& text);

  const std::vector<ViewComment>& Comments() const noexcept { return mComments; }

 private:
  std::vector<ViewComment> mComments;
};

// A comment the view makes itself: a text at a place, answering IScrivoComment's keys and, through
// IScrivoCommentEx, the type (0: none) and colour of the event it stands for.
HostPtr<IScrivoComment> MakeViewComment(int32_t record, int32_t position, const std::wstring& text,
                                        uint32_t typeId = 0, COLORREF colour = 0);

}  // namespace host
