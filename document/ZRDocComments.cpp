// ZR::Doc::ZRDoc: the comments the user activates in the host's recording view.
#include "document/ZRDoc.h"

#include "base/String.h"
#include "document/CycleDetector.h"
#include "hostapi/ScrivoComment.h"

namespace ZR::Doc {

void ZRDoc::OnCommentActivated(uint32_t comment, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t,
                               uint32_t, uint32_t) {
  auto* const activated = reinterpret_cast<IScrivoComment*>(static_cast<uintptr_t>(comment));
  if (!activated) return;
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
