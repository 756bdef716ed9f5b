// The framework's message factory: the stand-in's own lookups of registered message class objects.
#pragma once

#include <cstdint>
#include <string>

namespace lumo {

// The command name of the message class object registered for id; false when none.
bool MessageClassName(uint32_t id, std::wstring& name);
// The id of the message class object with that command name (any case); false when none.
bool MessageClassId(const std::wstring& name, uint32_t& id);

}  // namespace lumo
