// The recording view's questions to an event draw class.
#include "host/view/EventMarks.h"

#include "host/common/HostPtr.h"
#include "host/common/HostString.h"
#include "hostapi/QORString.h"

namespace host {

HRESULT DescribeEventMark(IClassRegistry* registry, uint32_t typeId, IUnknown* hostData, int32_t record,
                          const void* event, double secondsPerTick, EventMark* mark) {
  if (!registry || !mark) return E_POINTER;
  HostPtr<IPODEventDrawClass> drawClass;
  HRESULT hr = registry->GetClassObject(typeId, IID_IPODEventDrawClass,
                                        reinterpret_cast<void**>(drawClass.Out()));
  if (FAILED(hr)) return hr;
  EventMark answer;
  hr = drawClass->GetColour(0, event, &answer.colour);
  if (FAILED(hr)) return hr;
  HostPtr<QOR::IQORString> text;
  hr = drawClass->GetTooltip(0, hostData, record, event, secondsPerTick, text.Out());
  if (FAILED(hr)) return hr;
  answer.tooltip = StringText(text.Get());
  *mark = std::move(answer);
  return S_OK;
}

}  // namespace host
