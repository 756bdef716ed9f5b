// How the document opens the settings dialog: the dialog lives above the document, so the module
// hands the document the function that runs it at registration.
#pragma once

#include "document/SettingsStore.h"

#include <cstdint>
#include <optional>

struct IHostDocument;
namespace OWL {
class TWindow;
}

namespace ZR::Doc {

// What the settings command sets up for the pages' previews: view position (words 0 and 1),
// zoom (2 and 3), two axis ranges (4 to 11), the record (12) and a layout word (13).
struct PreviewSetup {
  uint32_t words[14] = {};
};

// Runs the dialog over the host document of an analysis document, its Setup group locked when
// lock is nonzero; the dialog's settings when closed with OK, nothing when cancelled.
using SettingsDialogRunner = std::optional<SettingsStore> (*)(OWL::TWindow* parent, IHostDocument* hostDocument,
                                                              int32_t lock, const PreviewSetup& preview);

// Null (the default) leaves the settings command without a dialog: it changes nothing.
void SetSettingsDialogRunner(SettingsDialogRunner runner) noexcept;

}  // namespace ZR::Doc
