// ZR::Doc::ZRDoc: the comments the user activates in the host's recording view.
#include "document/ZRDoc.h"

#include "base/String.h"
#include "document/CycleDetector.h"
#include "hostapi/ScrivoComment.h"
#include "hostclient/ComPtr.h"
#include "hostclient/DocViewIds.h"

namespace ZR::Doc {

namespace {

// The comment stands for an event of the module's draw classes of peaks (numbers 0 to 2); the
// preview class (3) and other modules' or the user's comments are left to them.
bool IsModuleEventComment(IScrivoComment* comment) {
  ComPtr<IScrivoCommentEx> extended;
  uint32_t typeId = 0;
  if (FAILED(comment->QueryInterface(IID_IScrivoCommentEx, extended.OutVoid())) || !extended ||
      FAILED(extended->GetDrawInfo(&typeId, nullptr, nullptr)))
    return false;
  const uint32_t drawClass = DocIds::EventDrawTypeId<0>::Id() & 0xFFFF0000u;
  return (typeId & 0xFFFF0000u) == drawClass && (typeId & 0xFFFFu) <= 2;
}

}  // namespace

void ZRDoc::OnCommentActivated(uint32_t comment, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                               uint32_t, uint32_t) {
  auto* const activated = reinterpret_cast<IScrivoComment*>(static_cast<uintptr_t>(comment));
  if (!activated || !IsModuleEventComment(activated)) return;
  QOR::IQORString* text = nullptr;
  if (FAILED(activated->GetKeys(nullptr, nullptr, nullptr, &text))) return;
  const QOR::String owned = QOR::String::Adopt(text);
  long number = 0;
  // Comments of other modules and of the user are left to them.
  if (!ParsePeakComment(owned.GetText(), number) || number < 1) return;
  if (!mDetector || number > mDetector->EventCount()) return;
  // The comment came from the host's view, so it is not shown there again.
  SetCurrentEvent(static_cast<uint32_t>(number - 1), kSelectTableRow);
}

}  // namespace ZR::Doc
