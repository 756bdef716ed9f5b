// ZR::Doc::DocumentView: what the analysis document asks of a view that shows it. The views
// implement it, so the document drives them without reaching up into their folder.
#pragma once

#include <cstdint>

namespace ZR::Doc {

class DocumentView {
 public:
  // The document's view slot this view fills (0 the Analysis View, 1 the Table View), or -1.
  virtual int DocumentSlot() const noexcept = 0;
  // Rebuilds what the view shows from its document.
  virtual void Refresh() = 0;
  // Selects the row of an event (the Table View); other views ignore it.
  virtual void SelectEventRow(uint32_t event) = 0;
  // Marks the whole window for repainting; nothing while the view has no window.
  virtual void InvalidateWindow() = 0;

 protected:
  // The document never owns a view: it is destroyed as the window it is.
  ~DocumentView() = default;
};

}  // namespace ZR::Doc
