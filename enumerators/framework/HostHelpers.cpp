// Number texts and lower-casing shared by the getter, the settings texts and the views.
#include "enumerators/framework/HostHelpers.h"

#include "base/TickConversion.h"
#include "hostapi/DataDocument.h"
#include "hostapi/DataObjects.h"
#include "hostapi/HostCalculation.h"
#include "hostapi/HostDocument.h"
#include "hostclient/ComPtr.h"

#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string.h>

namespace ExtLib {

int32_t RoundToLong(double x) noexcept { return RoundHalfAwayToInt32Sat(x); }

std::wstring FormatDouble(double x, int precision) {
  if (std::isinf(x)) return x > 0 ? L"infinity" : L"-infinity";
  if (!std::isfinite(x)) return L"NaN";
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out << std::setprecision(precision) << x;
  return out.str();
}

std::wstring LongToText(int32_t x) {
  std::wostringstream out;
  out.imbue(std::locale::classic());
  out << x;
  return out.str();
}

QOR::String LongToString(int32_t x) { return QOR::String(LongToText(x).c_str()); }

bool GetObjectFormulaText(IUnknown* dataDocument, int32_t id, uint32_t kind, std::wstring* text) {
  if (!dataDocument || !text) return false;
  QOR::ComPtr<IHostDataObjects> objects;
  if (FAILED(dataDocument->QueryInterface(IID_IHostDataObjects, objects.OutVoid())) || !objects) return false;
  QOR::ComPtr<QOR::IQORString> formula;
  if (FAILED(objects->GetFormulaText(0, id, kind, formula.Out()))) return false;
  *text = formula ? std::wstring(formula->GetText()) : std::wstring();
  return true;
}

QOR::String LongToString(IUnknown* dataDocument, int32_t id, uint32_t kind) {
  std::wstring text;
  if (kind == kMarkerObjectKind && GetObjectFormulaText(dataDocument, id, kind, &text) && !text.empty())
    return QOR::String(text.c_str());
  return QOR::String((L"ch" + LongToText(id + 1)).c_str());
}

void LowerCaseInPlace(QOR::String& text) {
  const int length = text.Length();
  if (length == 0) return;
  wchar_t* const buffer = text.MakeUnique();
  _wcslwr_s(buffer, static_cast<size_t>(length) + 1);
}

namespace {

constexpr uint32_t kTitleFlags = 0x40002000u;
constexpr int32_t kWholeChannelTitle = 0x7FFFFFFE;
constexpr int32_t kWholeChannelUnits = -2;
// What the module asks of a host channel when it names it: as shown, while it may still grow.
constexpr uint32_t kChannelRequestOnline = kChannelRequestDisplayed | kChannelRequestGrowing;

// Takes ownership of a BSTR from the host and answers its text.
std::wstring TakeBstr(BSTR text) {
  std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return result;
}

template <class Call>
std::wstring AskText(Call&& call) {
  BSTR text = nullptr;
  const HRESULT hr = call(&text);
  std::wstring result = TakeBstr(text);
  if (FAILED(hr)) result.clear();
  return result;
}

bool SelectionRange(IHostDataDocument* document, HostPosition* start, HostPosition* end) {
  if (!document) return false;
  QOR::ComPtr<IHostSelection> selection;
  if (FAILED(document->GetSelection(selection.Out())) || !selection) return false;
  return selection->GetRange(start, end) == S_OK;
}

}  // namespace

bool GetChannelName(IHostDataDocument* document, int32_t channel, std::wstring* name) {
  if (!document || !name) return false;
  BSTR text = nullptr;
  const HRESULT hr = document->GetChannelDescription(channel, &text);
  *name = TakeBstr(text);
  if (FAILED(hr)) name->clear();
  return SUCCEEDED(hr);
}

std::wstring GetChannelTitle(IHostDataDocument* document, int32_t channel, int32_t record) {
  if (!document) return std::wstring();
  std::wstring title = AskText(
      [&](BSTR* t) { return document->GetChannelTitle(channel, record, kTitleFlags, t); });
  if (!title.empty()) return title;
  return AskText([&](BSTR* t) {
    return document->GetChannelTitle(channel, kWholeChannelTitle, kTitleFlags, t);
  });
}

std::wstring GetChannelUnits(IHostDataDocument* document, int32_t channel, int32_t record) {
  if (!document) return std::wstring();
  std::wstring units = AskText(
      [&](BSTR* t) { return document->GetChannelUnits(channel, record, kTitleFlags, t); });
  if (!units.empty()) return units;
  return AskText([&](BSTR* t) {
    return document->GetChannelUnits(channel, kWholeChannelUnits, kTitleFlags, t);
  });
}

bool ChannelUnitsDiffer(IHostDataDocument* document, const std::vector<int32_t>& channels,
                        int32_t record) {
  if (channels.empty()) return false;
  const std::wstring first = GetChannelUnits(document, channels.front(), record);
  for (size_t i = 1; i < channels.size(); ++i) {
    if (GetChannelUnits(document, channels[i], record) != first) return true;
  }
  return false;
}

int64_t CountTicks(IHostDataDocument* document, TickPosition start, TickPosition end) {
  if (end.record < start.record || (end.record == start.record && end.tick <= start.tick))
    return 0;
  if (end.record == start.record) return static_cast<int64_t>(end.tick) - start.tick;
  if (!document) return 0;
  int64_t ticks = -static_cast<int64_t>(start.tick);
  for (int32_t record = start.record; record < end.record; ++record) {
    int32_t length = 0;
    if (FAILED(document->GetRecordLength(record, &length))) return 0;
    ticks += length;
  }
  return ticks + end.tick;
}

bool GetSelectionStart(IHostDataDocument* document, TickPosition* start) {
  HostPosition from{-1, -1};
  HostPosition to{-1, -1};
  if (!start || !SelectionRange(document, &from, &to)) return false;
  *start = TickPosition(from.record, from.tick);
  return true;
}

bool GetSelectionEnd(IHostDataDocument* document, TickPosition* end) {
  HostPosition from{-1, -1};
  HostPosition to{-1, -1};
  if (!end || !SelectionRange(document, &from, &to)) return false;
  *end = TickPosition(to.record, to.tick);
  return true;
}

double ChooseDisplaySpan(IHostDataDocument* document, double storedSpan, int32_t width) {
  if (storedSpan >= -0.5) return storedSpan;
  HostPosition from{-1, -1};
  HostPosition to{-1, -1};
  if (!SelectionRange(document, &from, &to)) return 1.0;
  const double perDivision =
      static_cast<double>(CountTicks(document, TickPosition(from.record, from.tick),
                                     TickPosition(to.record, to.tick))) /
      static_cast<double>(std::max(width, 1));
  static constexpr double kSpans[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
  for (const double span : kSpans)
    if (perDivision <= span) return span;
  return 2000.0;
}

int32_t MaxOfThreeCounts(IHostDocument* hostDocument) {
  constexpr int32_t kDefaultCount = 16;
  if (!hostDocument) return kDefaultCount;
  int32_t largest = -1;
  const auto take = [&largest](HRESULT hr, int32_t count) {
    if (SUCCEEDED(hr)) largest = std::max(largest, count);
  };
  int32_t count = 0;
  take(hostDocument->GetChannelCount(&count), count);
  take(hostDocument->GetRecordedChannelCount(&count), count);
  take(hostDocument->GetCalculatedChannelCount(&count), count);
  return largest < 0 ? kDefaultCount : largest;
}

QOR::String GetHostObjectText(IHostDocument* hostDocument, int32_t channel) {
  if (!hostDocument) return QOR::String(L"?");
  const std::wstring text = AskText([&](BSTR* t) {
    return hostDocument->GetChannelText(0, channel, kChannelRequestOnline, t);
  });
  return QOR::String(text.c_str());
}

bool HostFlagIsSet(IHostDocument* hostDocument) {
  if (!hostDocument) return false;
  VARIANT_BOOL set = VARIANT_FALSE;
  return SUCCEEDED(hostDocument->QueryFlag(kHostDocumentFlagSampling, &set)) && set != 0;
}

bool GetDataDocumentRange(IUnknown* hostObject, uint32_t expectedClassId, int32_t channel,
                          uint32_t flags, IHostChannelCalc** calculation) {
  if (calculation) *calculation = nullptr;
  if (!hostObject) return false;
  QOR::ComPtr<IHostDataDocument> document;
  if (FAILED(hostObject->QueryInterface(IID_IHostDataDocument, document.OutVoid())) || !document)
    return false;
  QOR::ComPtr<IHostChannelObjects> channels;
  if (FAILED(document->QueryInterface(IID_IHostChannelObjects, channels.OutVoid())) || !channels)
    return false;
  QOR::ComPtr<IUnknown> channelObject;
  if (FAILED(channels->GetChannelObject(channel, flags, channelObject.Out())) || !channelObject)
    return false;
  QOR::ComPtr<IHostChannelCalc> calc;
  if (FAILED(channelObject->QueryInterface(IID_IHostChannelCalc, calc.OutVoid())) || !calc)
    return false;
  QOR::ComPtr<IHostChannelCalcInfo> info;
  uint32_t classId = 0;
  if (FAILED(calc->QueryInterface(IID_IHostChannelCalcInfo, info.OutVoid())) || !info ||
      FAILED(info->GetClassTypeId(&classId)) || classId != expectedClassId) {
    return false;
  }
  if (calculation) *calculation = calc.Detach();
  return true;
}

}  // namespace ExtLib
