// The class-index fetch behind every type and message id.
#include "hostclient/TypeIds.h"

#include "hostclient/ClassGuids.h"
#include "hostclient/FrameworkAccess.h"

namespace QOR {

uint16_t FetchClassIndex(const GUID& guid) noexcept {
  uint16_t index = 0;
  ITypeRegistry* const registry = GetTypeRegistry();
  // Unreachable registry: index 0, which the rest of the module tolerates.
  if (!registry) return 0;
  // The result is not examined: a refusal leaves the index at 0.
  registry->RegisterGuid(&guid, &index);
  return index;
}

}  // namespace QOR

uint32_t GetEventTypeId() noexcept { return TypeIdClass<&EventTypeGUID, 0>::Id(); }
