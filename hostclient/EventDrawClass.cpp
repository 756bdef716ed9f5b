// ScrivoClient::TEventDrawClass and the five draw policies: colours and tooltip texts of events.
// The draw classes read the enumerators' event records; they are built only into the module DLL.
#include "hostclient/EventDrawClass.h"

#include "base/String.h"
#include "base/EventRecords.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/ComBoundary.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/EventDrawContext.h"
#include "hostclient/EventTooltipText.h"
#include "hostclient/TypeIds.h"

#include <oleauto.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace ScrivoClient {
namespace {

constexpr int32_t kStimulusKind = 1;

// Infinity or NaN, told by the exponent bits (the no-value markers are NaNs).
bool IsNotFinite(double value) noexcept {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return (bits & 0x7FF0000000000000ull) == 0x7FF0000000000000ull;
}

// The event's number within its record plus 1 (0 when it cannot be found).
int32_t EventNumber(IUnknown* hostData, int32_t recordIndex, int32_t tick) {
  return GetEventDrawContextProvider().eventNumberInRecord(hostData, recordIndex, tick) + 1;
}

struct TooltipArgs {
  IUnknown* hostData;
  int32_t recordIndex;
  double secondsPerTick;
};

std::wstring PeakOrStimulusText(const EventPkStm& event, const TooltipArgs& args,
                                const wchar_t* peakWord) {
  const int32_t n = EventNumber(args.hostData, args.recordIndex, event.tick);
  return PeakOrStimulusTooltip(event.kind == kStimulusKind, n, peakWord);
}

std::wstring FormatPeakTooltip(const EventFCalc& source, const TooltipArgs& args) {
  const EventFCalc event = source;
  const int32_t n = EventNumber(args.hostData, args.recordIndex, event.tick);
  QOR::UnitWithPrefix unit;
  if (!GetEventDrawContextProvider().analysisChannelUnit(args.hostData, args.recordIndex, unit))
    unit = QOR::UnitWithPrefix{};
  const int32_t earlier = std::min(event.stimulusTick, event.baseStartTick);
  const int32_t start = earlier >= 0 ? earlier
                        : event.stimulusTick >= 0 ? event.stimulusTick
                                                  : event.baseStartTick;
  const int32_t span = static_cast<int32_t>(static_cast<int64_t>(event.SpanEnd()) - start);
  float height = 0.0f;
  event.GetValueByIndex(static_cast<int32_t>(MeasurementIndex::Height), height);
  return CalculatedPeakTooltip(n, height, unit, span * args.secondsPerTick);
}

// Detectors: orange stimuli, green peaks.
struct PkStmDetDrawPolicy {
  using Event = EventPkStm;
  static COLORREF Colour(const Event& e) { return e.kind == kStimulusKind ? kStimulusOrange : kPeakGreen; }
  static std::wstring Tooltip(const Event& e, const TooltipArgs& a) {
    return PeakOrStimulusText(e, a, L"ZR: Peak ");
  }
};

// Population spikes.
struct PSDrawPolicy {
  using Event = EventPkStm;
  static COLORREF Colour(const Event& e) { return PkStmDetDrawPolicy::Colour(e); }
  static std::wstring Tooltip(const Event& e, const TooltipArgs& a) {
    return PeakOrStimulusText(e, a, L"ZR: Population Spike ");
  }
};

// Calculated events of CalcBulk.
struct GeneralScrivoViewDrawPolicy {
  using Event = EventFCalc;
  static COLORREF Colour(const Event& e) {
    return e.stimulusTick >= 0 && IsNotFinite(e.value) ? kStimulusOrange : kPeakGreen;
  }
  static std::wstring Tooltip(const Event& e, const TooltipArgs& a) {
    if (IsNotFinite(e.value)) return std::wstring();
    if (e.spikeTroughTick >= 0 && e.spikePeak2Tick >= 0)
      return PopulationSpikeTooltip(EventNumber(a.hostData, a.recordIndex, e.tick));
    return FormatPeakTooltip(e, a);
  }
};

struct GeneralPreviewDrawPolicy {
  using Event = EventPkStm;
  static COLORREF Colour(const Event&) { return kPreviewTeal; }
  static std::wstring Tooltip(const Event&, const TooltipArgs&) { return L"Preview Only"; }
};

struct NoDrawPolicy {
  using Event = EventPkStm;  // intermediate records; nothing of them is read
  static COLORREF Colour(const Event&) { return kNoDrawMagenta; }
  static std::wstring Tooltip(const Event&, const TooltipArgs&) { return L"NO DRAW"; }
};

template <uint16_t N, class Policy>
class TEventDrawClass final : public IPODEventDrawClass,
                              public ILumoClassObject,
                              public QOR::CComObjectRoot {
 public:
  QOR_BEGIN_INTERFACE_MAP(TEventDrawClass)
  QOR_INTERFACE_ENTRY(IPODEventDrawClass, IID_IPODEventDrawClass)
  QOR_INTERFACE_ENTRY(ILumoClassObject, IID_ILumoClassObject)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_HEAP()

  HRESULT STDMETHODCALLTYPE GetColour(uint32_t, const void* record,
                                      COLORREF* colour) noexcept override {
    if (!record) return E_FAIL;
    if (!colour) return E_POINTER;
    *colour = Policy::Colour(*static_cast<const typename Policy::Event*>(record));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTooltip(uint32_t, IUnknown* hostData, int32_t recordIndex,
                                       const void* record, double secondsPerTick,
                                       QOR::IQORString** text) noexcept override {
    if (!record) return E_FAIL;
    if (!text) return E_POINTER;
    *text = nullptr;
    return ComTry([&] {
      const TooltipArgs args{hostData, recordIndex, secondsPerTick};
      const std::wstring tooltip =
          Policy::Tooltip(*static_cast<const typename Policy::Event*>(record), args);
      *text = QOR::String(tooltip.c_str()).AddRefInterface();
    });
  }

  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override {
    if (!typeId) return E_POINTER;
    TypeIdClass<&ZREventDrawGUID, N>::GetId(typeId);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override {
    if (!category) return E_POINTER;
    *category = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override {
    if (!name) return E_POINTER;
    SysFreeString(*name);
    *name = SysAllocString(L"PkStimEventDrawClass");
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID*) noexcept override { return S_FALSE; }
};

template <uint16_t N, class Policy>
ILumoClassObject* New() noexcept {
  auto* object = new (std::nothrow) TEventDrawClass<N, Policy>();
  return object ? static_cast<ILumoClassObject*>(object) : nullptr;
}

}  // namespace

ILumoClassObject* NewEventDrawClass(int32_t n) noexcept {
  switch (n) {
    case 0: return New<0, PkStmDetDrawPolicy>();
    case 1: return New<1, GeneralScrivoViewDrawPolicy>();
    case 2: return New<2, PSDrawPolicy>();
    case 3: return New<3, GeneralPreviewDrawPolicy>();
    case 4: return New<4, NoDrawPolicy>();
    default: return nullptr;
  }
}

}  // namespace ScrivoClient
