// The stand-in host's data document.
#include "host/data/DataDocument.h"

#include "host/common/HostString.h"
#include "host/data/ChannelSampleSource.h"
#include "host/data/DocumentDisplayPart.h"
#include "host/data/Selection.h"
#include "host/formula/FormulaChain.h"
#include "host/formula/FormulaSyntax.h"
#include "host/formula/SignalFormula.h"
#include "hostapi/CalcEnum.h"

#include <oleauto.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <new>

namespace host {

namespace {

// How deep calculated channels may read other calculated channels (a formula that reads its
// own channel would never end).
constexpr int kMaxCalculationDepth = 8;

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

uint32_t RequestKind(uint32_t flags) {
  return flags & (kChannelRequestCalculated | kChannelRequestRecorded | kChannelRequestDisplayed);
}

// Whether a channel formula yields events (an enumerator formula) rather than samples (a signal
// formula). Throws the error of the reading that got further into the text when it is neither.
bool FormulaYieldsEvents(const std::wstring& formula) {
  try {
    SignalFormula signal(formula);
    return false;
  } catch (const FormulaError& signalError) {
    try {
      ParseEnumeratorFormula(formula);
      return true;
    } catch (const FormulaError& enumError) {
      if (enumError.Position() >= signalError.Position()) throw;
      throw signalError;
    }
  }
}

}  // namespace

DataDocument::DataDocument(Recording recording)
    : mRecording(std::make_shared<Recording>(std::move(recording))), mSelection(CreateSelection(mRecording)) {
  for (const ChannelInfo& channel : mRecording->channels)
    mYieldsEvents.push_back(!channel.formula.empty() && FormulaYieldsEvents(channel.formula));
  // Signal channels the recording brought without samples are computed now.
  for (RecordData& record : mRecording->records) {
    for (size_t c = 0; c < mRecording->channels.size(); ++c) {
      const std::wstring& formula = mRecording->channels[c].formula;
      if (formula.empty() || mYieldsEvents[c] || record.samples[c]->Length() >= record.length) continue;
      const int32_t from = record.samples[c]->Length();
      const std::vector<float> values = SignalFormula(formula).Sample(record.tickPeriod, from, record.length - from);
      record.samples[c]->Append(values.data(), static_cast<int32_t>(values.size()));
    }
  }
}

DataDocument::~DataDocument() = default;

HostPtr<DataDocument> DataDocument::Create(Recording recording) {
  HostPtr<DataDocument> document;
  document.Attach(new DataDocument(std::move(recording)));
  return document;
}

void* DataDocument::FindInterface(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IHostDataFile) return static_cast<IHostDataFile*>(this);
  if (iid == IID_IHostDataDocument) return static_cast<IHostDataDocument*>(this);
  if (iid == IID_IOnlineDataService) return static_cast<IOnlineDataService*>(this);
  if (iid == IID_IHostChannelObjects) return static_cast<IHostChannelObjects*>(this);
  if (iid == IID_IHostRecordData) return static_cast<IHostRecordData*>(&mRecordData);
  if (iid == IID_IHostChildDocumentList) return static_cast<IHostChildDocumentList*>(&mExtensionChildren);
  if (iid == IID_IHostDataObjects || iid == IID_HostDataObjectsPart)
    return static_cast<IHostDataObjects*>(&mObjects);
  if (iid == IID_IScrivoDataSink) return static_cast<IScrivoDataSink*>(&mSamplingSink);
  if (iid == IID_IHostSamplingTarget) return static_cast<IHostSamplingTarget*>(&mSamplingSink);
  if (iid == IID_IPreviewDataProvider) return static_cast<IPreviewDataProvider*>(&mPreviewData);
  return nullptr;
}

int32_t DataDocument::AddCalculatedChannel(const std::wstring& title, const std::wstring& units,
                                           const std::wstring& formula) {
  const bool events = FormulaYieldsEvents(formula);
  std::unique_ptr<SignalFormula> signal;
  if (!events) signal = std::make_unique<SignalFormula>(formula);
  mRecording->channels.push_back({title, units, formula});
  mYieldsEvents.push_back(events);
  const int32_t channel = static_cast<int32_t>(mRecording->channels.size()) - 1;
  for (RecordData& record : mRecording->records) {
    record.samples.push_back(MakeChannelRecord(record.tickPeriod, record.complete));
    if (signal) {
      const std::vector<float> values = signal->Sample(record.tickPeriod, 0, record.length);
      record.samples.back()->Append(values.data(), record.length);
    }
  }
  return channel;
}

HRESULT DataDocument::EnsureRecordedChannel(int32_t channel, const std::wstring& units) {
  if (channel < 0) return E_INVALIDARG;
  for (int32_t c = static_cast<int32_t>(mRecording->channels.size()); c <= channel; ++c) {
    mRecording->channels.push_back({L"Channel " + std::to_wstring(c + 1), units, L""});
    mYieldsEvents.push_back(false);
    for (RecordData& record : mRecording->records) {
      record.samples.push_back(MakeChannelRecord(record.tickPeriod, record.complete));
      const std::vector<float> zeros(static_cast<size_t>(record.length), 0.0f);
      record.samples.back()->Append(zeros.data(), record.length);
    }
  }
  return mRecording->channels[static_cast<size_t>(channel)].formula.empty() ? S_OK : E_UNEXPECTED;
}

void DataDocument::SetChannelRange(int32_t channel, float lowest, float highest) {
  if (channel < 0 || static_cast<size_t>(channel) >= mRecording->channels.size()) return;
  ChannelInfo& info = mRecording->channels[static_cast<size_t>(channel)];
  info.lowest = lowest;
  info.highest = highest;
}

HRESULT DataDocument::SetChannelTitle(int32_t channel, const std::wstring& title) {
  if (channel < 0 || static_cast<size_t>(channel) >= mRecording->channels.size()) return E_INVALIDARG;
  mRecording->channels[static_cast<size_t>(channel)].title = title;
  return S_OK;
}

const std::wstring* DataDocument::ObjectFormula(int32_t id) const {
  const DataObject* const object = mObjects.Find(id, kMarkerObjectKind);
  if (!object || object->formula.empty()) return nullptr;
  try {
    return FormulaYieldsEvents(object->formula) ? &object->formula : nullptr;
  } catch (const FormulaError&) {
    return nullptr;  // a text the formula engine cannot read calculates nothing
  }
}

std::vector<std::vector<float>> DataDocument::SignalBlock(const RecordData& record, int32_t from,
                                                          int32_t count) const {
  std::vector<std::vector<float>> values(mRecording->channels.size());
  for (size_t c = 0; c < mRecording->channels.size(); ++c) {
    const ChannelInfo& info = mRecording->channels[c];
    if (info.formula.empty() || mYieldsEvents[c]) continue;
    values[c] = SignalFormula(info.formula).Sample(record.tickPeriod, from, count);
  }
  return values;
}

bool DataDocument::ValidChannel(int32_t channel) const {
  return channel >= 0 && static_cast<size_t>(channel) < mRecording->channels.size();
}

bool DataDocument::ValidRecord(int32_t record) const {
  return record >= 0 && static_cast<size_t>(record) < mRecording->records.size();
}

// IHostDataFile

HRESULT STDMETHODCALLTYPE DataDocument::FindChildData(int32_t, uint32_t typeId,
                                                      IScrivoDataChildData** child) noexcept {
  if (!child) return E_POINTER;
  *child = nullptr;
  for (const HostPtr<IScrivoDataChildData>& c : mChildren) {
    uint32_t id = 0;
    if (SUCCEEDED(c->GetTypeId(&id)) && id == typeId) {
      *child = c.Get();
      c->AddRef();
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE DataDocument::AddChildData(int32_t, IScrivoDataChildData* child) noexcept {
  if (!child) return E_POINTER;
  uint32_t typeId = 0;
  HRESULT hr = child->GetTypeId(&typeId);
  if (FAILED(hr)) return hr;
  HostPtr<IScrivoDataChildData> existing;
  if (FindChildData(0, typeId, existing.Out()) == S_OK) return E_INVALIDARG;
  try {
    mChildren.emplace_back(child);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataDocument::GetPositionTime(int32_t record, int32_t tick, double* seconds) noexcept {
  if (!seconds) return E_POINTER;
  *seconds = 0.0;
  if (!ValidRecord(record) || tick < 0) return E_INVALIDARG;
  // Summed in double: whole recordings of hours at tens of kHz stay exact to far below a tick.
  double time = 0.0;
  for (int32_t r = 0; r < record; ++r) {
    const RecordData& data = mRecording->records[static_cast<size_t>(r)];
    time += static_cast<double>(data.length) * data.tickPeriod;
  }
  *seconds = time + static_cast<double>(tick) * mRecording->records[static_cast<size_t>(record)].tickPeriod;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataDocument::GetSampledRecord(int32_t* record) noexcept {
  if (!record) return E_POINTER;
  *record = -1;
  if (!mRecordOpen) return E_UNEXPECTED;
  *record = static_cast<int32_t>(mRecording->records.size()) - 1;
  return S_OK;
}

namespace {

// Whether a formula names channel (counted from 0) as "ch" and its number from 1, in any case.
bool FormulaReadsChannel(const std::wstring& formula, size_t channel) {
  const std::wstring name = L"ch" + std::to_wstring(channel + 1);
  for (size_t at = 0; at + name.size() <= formula.size(); ++at) {
    if (_wcsnicmp(formula.c_str() + at, name.c_str(), name.size()) != 0) continue;
    if (at > 0 && iswalnum(formula[at - 1])) continue;
    const size_t after = at + name.size();
    if (after == formula.size() || !iswdigit(formula[after])) return true;
  }
  return false;
}

}  // namespace

HRESULT STDMETHODCALLTYPE DataDocument::GetChannelDependents(int32_t, int32_t channel, uint32_t, VARIANT_BOOL,
                                                             uint32_t* dependents, uint32_t* second) noexcept {
  if (!dependents || !second) return E_POINTER;
  *dependents = 0;
  *second = 0;
  const std::vector<ChannelInfo>& channels = mRecording->channels;
  if (channel < 0 || static_cast<size_t>(channel) >= channels.size()) return E_INVALIDARG;
  try {
    // Grows until no further calculated channel reads one already in the set.
    uint32_t found = channel < 32 ? 1u << channel : 0u;
    for (bool grew = true; grew;) {
      grew = false;
      for (size_t c = 0; c < channels.size() && c < 32; ++c) {
        if ((found >> c) & 1u || channels[c].formula.empty()) continue;
        for (size_t read = 0; read < channels.size() && read < 32 && !((found >> c) & 1u); ++read)
          if (((found >> read) & 1u) && FormulaReadsChannel(channels[c].formula, read)) {
            found |= 1u << c;
            grew = true;
          }
      }
    }
    *dependents = found & ~(channel < 32 ? 1u << channel : 0u);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

// The calendar date of a day after 1970-01-01 as YYYY-MM-DD (the proleptic Gregorian calendar).
static void WriteDate(int64_t day, wchar_t* buffer, size_t size) {
  const int64_t era = (day >= -719468 ? day + 719468 : day + 719468 - 146096) / 146097;
  const int64_t ofEra = day + 719468 - era * 146097;
  const int64_t yearOfEra = (ofEra - ofEra / 1460 + ofEra / 36524 - ofEra / 146096) / 365;
  const int64_t dayOfYear = ofEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shifted = (5 * dayOfYear + 2) / 153;  // months from March
  const int64_t dayOfMonth = dayOfYear - (153 * shifted + 2) / 5 + 1;
  const int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  swprintf(buffer, size, L"%04lld-%02lld-%02lld ", static_cast<long long>(year), static_cast<long long>(month),
           static_cast<long long>(dayOfMonth));
}

HRESULT STDMETHODCALLTYPE DataDocument::FormatTime(double seconds, uint32_t flags, int32_t displayMode,
                                                   QOR::IQORString** text) noexcept {
  if (!text) return E_POINTER;
  *text = nullptr;
  if (!std::isfinite(seconds) || (flags & (kTimeTextElapsed | kTimeTextClock)) == 0) return E_INVALIDARG;
  try {
    wchar_t buffer[64] = {};
    if (flags & kTimeTextClock) {
      // Milliseconds since the start day's midnight, rounded, so that 59.9996 s shows as the
      // next minute (and 23:59:59.9996 as the next day).
      const long long total = std::llround((mStartTimeOfDay + seconds) * 1000.0);
      const long long dayIndex = total >= 0 ? total / 86400000LL : (total - 86399999LL) / 86400000LL;
      const long long ms = total - dayIndex * 86400000LL;
      size_t at = 0;
      // Display mode 2 stamps the date before the time, when the recording's day is known.
      if (displayMode == kDisplayModeDateAndTime && mStartDay >= 0) {
        WriteDate(mStartDay + dayIndex, buffer, 64);
        at = std::wcslen(buffer);
      }
      swprintf(buffer + at, 64 - at, L"%02lld:%02lld:%02lld.%03lld", ms / 3600000, ms / 60000 % 60,
               ms / 1000 % 60, ms % 1000);
    } else {
      swprintf(buffer, 64, L"%.4f s", seconds);
    }
    *text = MakeHostString(buffer).Detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

// IHostDataDocument

HRESULT STDMETHODCALLTYPE DataDocument::GetRecordCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = static_cast<int32_t>(mRecording->records.size());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataDocument::GetRecordLength(int32_t record, int32_t* ticks) noexcept {
  if (!ticks) return E_POINTER;
  *ticks = 0;
  if (!ValidRecord(record)) return E_INVALIDARG;
  *ticks = mRecording->records[static_cast<size_t>(record)].length;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataDocument::GetDataEnd(uint32_t, int32_t* record, int32_t* tick) noexcept {
  if (!record || !tick) return E_POINTER;
  *record = -1;
  *tick = 0;
  for (size_t r = mRecording->records.size(); r-- > 0;) {
    if (mRecording->records[r].length > 0) {
      *record = static_cast<int32_t>(r);
      *tick = mRecording->records[r].length;
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE DataDocument::GetRecordTickPeriod(int32_t, int32_t record, double* seconds) noexcept {
  if (!seconds) return E_POINTER;
  *seconds = 0.0;
  if (!ValidRecord(record)) return E_INVALIDARG;
  *seconds = mRecording->records[static_cast<size_t>(record)].tickPeriod;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataDocument::GetChannelTickPeriod(int32_t channel, uint32_t, int32_t record,
                                                             double* seconds) noexcept {
  if (!seconds) return E_POINTER;
  *seconds = 0.0;
  if (!ValidChannel(channel) && !ObjectFormula(channel)) return E_INVALIDARG;
  // Every channel, calculated or not, runs at its record's tick period.
  return GetRecordTickPeriod(0, record, seconds);
}

HRESULT STDMETHODCALLTYPE DataDocument::GetChannelCount(int32_t* count) noexcept {
  if (!count) return E_POINTER;
  *count = static_cast<int32_t>(mRecording->channels.size());
  return S_OK;
}

HostPtr<IUnknown> DataDocument::MakeEventSource(const std::wstring& formula, uint32_t flags, int32_t record,
                                                int32_t startTick) {
  if (!mFormulaClass || mEventSourceDepth >= kMaxCalculationDepth) return HostPtr<IUnknown>();
  struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
  } guard(mEventSourceDepth);
  HostPtr<ICalcEnum> calc;
  if (FAILED(mFormulaClass->CreateEnum(static_cast<IHostDataFile*>(this), calc.Out())) || !calc)
    return HostPtr<IUnknown>();
  if (calc->LoadSettings(MakeHostString(formula).Get(), nullptr) != S_OK) return HostPtr<IUnknown>();
  // The chain's own channels, requested as the module's getter requests them.
  const std::vector<ChannelRef> refs = CollectChannelRefs(ParseEnumeratorFormula(formula));
  std::vector<HostPtr<IUnknown>> sources;
  std::vector<IUnknown*> raw;
  for (const ChannelRef& ref : refs) {
    const uint32_t request = ChannelRequestFor(ref, (flags & kChannelRequestGrowing) != 0);
    HostPtr<IUnknown> source;
    if (GetChannelSource(ref.channel, request, record, 0, kEnumRecordEnd, source.Out()) != S_OK)
      return HostPtr<IUnknown>();
    raw.push_back(source.Get());
    sources.push_back(std::move(source));
  }
  const RecordData& data = mRecording->records[static_cast<size_t>(record)];
  const uint32_t chainFlags = (flags & kChannelRequestGrowing) ? 0xC0000000u : 0u;
  if (FAILED(calc->SetSources(record, static_cast<int32_t>(raw.size()), raw.empty() ? nullptr : raw.data(),
                              nullptr, data.tickPeriod, chainFlags)) ||
      FAILED(calc->SetStartTick(startTick)))
    return HostPtr<IUnknown>();
  return calc.As<IUnknown>(IID_IUnknown);
}

HostPtr<IUnknown> DataDocument::MakeSource(int32_t channel, uint32_t flags, int32_t record, int32_t startTick,
                                           int32_t endTick) {
  const uint32_t kind = RequestKind(flags);
  const bool calculated = ValidChannel(channel) && !mRecording->channels[static_cast<size_t>(channel)].formula.empty();
  if (kind == kChannelRequestCalculated && !calculated) {
    // A channel without a calculation of its own reads the formula of the data object it names.
    const std::wstring* const formula = ObjectFormula(channel);
    return formula ? MakeEventSource(*formula, flags, record, startTick) : HostPtr<IUnknown>();
  }
  if (calculated && kind == kChannelRequestRecorded) return HostPtr<IUnknown>();
  if (mYieldsEvents[static_cast<size_t>(channel)])
    return MakeEventSource(mRecording->channels[static_cast<size_t>(channel)].formula, flags, record, startTick);
  const RecordData& data = mRecording->records[static_cast<size_t>(record)];
  HostPtr<ISampleSource> source;
  if (FAILED(CreateChannelSampleSource(data.samples[static_cast<size_t>(channel)], startTick, endTick, source.Out())))
    return HostPtr<IUnknown>();
  return source.As<IUnknown>(IID_IUnknown);
}

HRESULT STDMETHODCALLTYPE DataDocument::GetChannelSource(int32_t channel, uint32_t flags, int32_t record,
                                                         int32_t startTick, int32_t endTick,
                                                         IUnknown** source) noexcept {
  if (!source) return E_POINTER;
  *source = nullptr;
  const uint32_t kind = RequestKind(flags);
  const bool known = ValidChannel(channel) || (kind == kChannelRequestCalculated && ObjectFormula(channel));
  if (!known || !ValidRecord(record) || startTick < 0 || endTick < startTick ||
      (kind != kChannelRequestCalculated && kind != kChannelRequestRecorded && kind != kChannelRequestDisplayed))
    return E_INVALIDARG;
  try {
    HostPtr<IUnknown> made = MakeSource(channel, flags, record, startTick, endTick);
    if (!made) return S_FALSE;
    *source = made.Detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT STDMETHODCALLTYPE DataDocument::GetChannelTitle(int32_t channel, int32_t, uint32_t, BSTR* title) noexcept {
  if (!title) return E_POINTER;
  *title = nullptr;
  if (!ValidChannel(channel)) return E_INVALIDARG;
  return ReturnText(mRecording->channels[static_cast<size_t>(channel)].title, title);
}

HRESULT STDMETHODCALLTYPE DataDocument::GetChannelUnits(int32_t channel, int32_t record, uint32_t,
                                                      BSTR* units) noexcept {
  if (!units) return E_POINTER;
  *units = nullptr;
  if (!ValidChannel(channel)) return E_INVALIDARG;
  const auto c = static_cast<size_t>(channel);
  if (record >= 0 && static_cast<size_t>(record) < mRecording->records.size()) {
    const std::vector<std::wstring>& own = mRecording->records[static_cast<size_t>(record)].units;
    if (c < own.size() && !own[c].empty()) return ReturnText(own[c], units);
  }
  return ReturnText(mRecording->channels[c].units, units);
}

HRESULT STDMETHODCALLTYPE DataDocument::GetChannelDescription(int32_t channel, BSTR* description) noexcept {
  if (!description) return E_POINTER;
  *description = nullptr;
  if (!ValidChannel(channel)) return E_INVALIDARG;
  try {
    const ChannelInfo& info = mRecording->channels[static_cast<size_t>(channel)];
    std::wstring text = info.title;
    if (!info.units.empty()) text += L" [" + info.units + L"]";
    if (!info.formula.empty()) text += L" = " + info.formula;
    return ReturnText(text, description);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataDocument::GetSelection(IHostSelection** selection) noexcept {
  if (!selection) return E_POINTER;
  *selection = mSelection.Get();
  mSelection->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DataDocument::GetSamplingState(int32_t, VARIANT_BOOL* sampling) noexcept {
  if (!sampling) return E_POINTER;
  *sampling = mSampling ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

// IOnlineDataService

HRESULT STDMETHODCALLTYPE DataDocument::RegisterSink(IOnlineDataSink* sink) noexcept {
  if (!sink) return E_POINTER;
  for (const HostPtr<IOnlineDataSink>& s : mSinks)
    if (s.Get() == sink) return S_FALSE;
  try {
    mSinks.emplace_back(sink);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT STDMETHODCALLTYPE DataDocument::UnregisterSink(IOnlineDataSink* sink) noexcept {
  const auto it = std::find_if(mSinks.begin(), mSinks.end(),
                               [sink](const HostPtr<IOnlineDataSink>& s) { return s.Get() == sink; });
  if (it == mSinks.end()) return S_FALSE;
  mSinks.erase(it);
  return S_OK;
}

}  // namespace host
