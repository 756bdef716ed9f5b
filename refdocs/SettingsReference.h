// The reference page of the settings: every setting `--set ID=VALUE` gives, read from the settings.
#pragma once

#include <string>

namespace refdocs {

// The page as Markdown. Throws std::logic_error naming a setting the notes do not describe.
std::string SettingsReference();

}  // namespace refdocs
