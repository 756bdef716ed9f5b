// What the host's recording view shows for a module's event: the colour of its mark and its
// tooltip, both answered by the event draw class registered under the events' type id.
#pragma once

#include "hostapi/ClassRegistry.h"
#include "hostapi/EventDrawClass.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace host {

struct EventMark {
  COLORREF colour = 0;
  std::wstring tooltip;
};

// Asks the draw class registered under typeId (IEnumEventEx::GetEventType of the events'
// source) for one event record, as the view does when it draws the mark and when the mouse
// rests on it. hostData and record locate the event for its number; secondsPerTick turns
// ticks into seconds. Fails with the registry's or the draw class's HRESULT.
HRESULT DescribeEventMark(IClassRegistry* registry, uint32_t typeId, IUnknown* hostData, int32_t record,
                          const void* event, double secondsPerTick, EventMark* mark);

}  // namespace host
