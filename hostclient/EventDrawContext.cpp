// The provider of event numbers and channel units for the event draw classes.
#include "hostclient/EventDrawContext.h"

namespace {

int32_t NoEventNumber(IUnknown*, int32_t, int32_t) { return -1; }
bool NoUnit(IUnknown*, int32_t, QOR::UnitWithPrefix&) { return false; }

EventDrawContextProvider gProvider = {&NoEventNumber, &NoUnit};

}  // namespace

void SetEventDrawContextProvider(const EventDrawContextProvider& provider) noexcept {
  gProvider.eventNumberInRecord =
      provider.eventNumberInRecord ? provider.eventNumberInRecord : &NoEventNumber;
  gProvider.analysisChannelUnit =
      provider.analysisChannelUnit ? provider.analysisChannelUnit : &NoUnit;
}

const EventDrawContextProvider& GetEventDrawContextProvider() noexcept { return gProvider; }
