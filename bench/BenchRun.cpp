// Pulling and timing the events of a chain, built by hand or by the host's formula engine.
#include "bench/BenchRun.h"

#include <windows.h>

#include "enumerators/classlist/EnumeratorClassList.h"
#include "host/app/HostFramework.h"
#include "host/common/HostString.h"
#include "host/cycles/CycleEnumClass.h"
#include "host/data/DataDocument.h"
#include "host/formula/FormulaChain.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/formula/FormulaSyntax.h"

namespace bench {

namespace {

constexpr int32_t kBufferRecords = 64;

uint32_t Digest(uint32_t hash, const unsigned char* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 16777619u;
  return hash;
}

// The formula class over the module's own enumerator classes (linked into the benchmark) and the host's cycle
// detector, so that the chain is built and run the host's way without loading the module library.
host::HostPtr<ICalcEnumClass2> ModuleFormulaClass() {
  std::vector<host::HostPtr<IUnknown>> classes;
  for (ICalcEnumClass2* cls : CalcEnums::EnumeratorClassObjects()) classes.emplace_back(cls);
  const host::HostPtr<ICalcEnumClass2> cycles = host::CreateCycleEnumClass(0x00080000);
  classes.emplace_back(cycles.Get());
  return host::CreateFormulaEnumClass(0x00070000, [classes] { return classes; });
}

// The formula's chain for one record, sources set and started at tick 0.
HRESULT PrepareRecord(host::DataDocument* document, ICalcEnumClass2* formulaClass, const std::wstring& formula,
                      int32_t record, host::HostPtr<IEnumEventEx>* events, std::wstring* error) {
  host::HostPtr<ICalcEnum> calc;
  HRESULT hr = formulaClass->CreateEnum(static_cast<IHostDataFile*>(document), calc.Out());
  if (SUCCEEDED(hr)) hr = calc->LoadSettings(host::MakeHostString(formula).Get(), nullptr);
  if (hr != S_OK) {
    *error = L"the formula was not accepted";
    return FAILED(hr) ? hr : E_FAIL;
  }
  std::vector<host::HostPtr<IUnknown>> sources;
  std::vector<IUnknown*> raw;
  for (const host::ChannelRef& ref : host::CollectChannelRefs(host::ParseEnumeratorFormula(formula))) {
    host::HostPtr<IUnknown> source;
    if (document->GetChannelSource(ref.channel, host::ChannelRequestFor(ref, false), record, 0, kEnumRecordEnd,
                                   source.Out()) != S_OK) {
      *error = L"channel " + std::to_wstring(ref.channel + 1) + L" has no source";
      return E_INVALIDARG;
    }
    raw.push_back(source.Get());
    sources.push_back(std::move(source));
  }
  double period = 0.0;
  document->GetRecordTickPeriod(0, record, &period);
  hr = calc->SetSources(record, static_cast<int32_t>(raw.size()), raw.empty() ? nullptr : raw.data(), nullptr,
                        period, 0);
  if (FAILED(hr)) {
    *error = L"the chain did not take its sources";
    return hr;
  }
  calc->SetStartTick(0);
  *events = calc.As<IEnumEventEx>(IID_IEnumEventEx);
  return *events ? S_OK : E_NOINTERFACE;
}

}  // namespace

long long Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double SecondsSince(long long from) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(Now() - from) / static_cast<double>(frequency.QuadPart);
}

long long PullEvents(IEnumEventEx& chain, std::vector<unsigned char>& buffer, int32_t recordSize,
                     const RecordSink& sink) {
  buffer.resize(static_cast<size_t>(recordSize > 0 ? recordSize : 1) * kBufferRecords);
  long long events = 0;
  for (;;) {
    int32_t returned = 0, next = 0;
    const HRESULT hr = chain.Next(static_cast<int32_t>(buffer.size()), kEnumRecordEnd, buffer.data(), &returned, &next);
    events += returned;
    const size_t bytes = static_cast<size_t>(returned) * static_cast<size_t>(recordSize);
    if (sink.digest) *sink.digest = Digest(*sink.digest, buffer.data(), bytes);
    if (sink.dump) std::fwrite(buffer.data(), 1, bytes, sink.dump);
    if (hr != S_OK || (returned == 0 && next == kEnumRecordEnd)) break;
  }
  return events;
}

HRESULT TimeFormula(host::DataDocument* document, const std::wstring& formula, const RecordSink& sink,
                    long long* events, double* seconds, std::wstring* error) {
  HRESULT hr = ondara_host::EnsureHostFramework();
  if (FAILED(hr)) {
    *error = L"the framework library could not be registered";
    return hr;
  }
  const host::HostPtr<ICalcEnumClass2> formulaClass = ModuleFormulaClass();
  int32_t records = 0;
  document->GetRecordCount(&records);
  std::vector<unsigned char> buffer;
  for (int32_t r = 0; r < records; ++r) {
    host::HostPtr<IEnumEventEx> chain;
    try {
      hr = PrepareRecord(document, formulaClass.Get(), formula, r, &chain, error);
    } catch (const std::exception&) {
      *error = L"the formula is not valid";
      hr = E_INVALIDARG;
    }
    if (FAILED(hr)) return hr;
    int32_t recordSize = 0;
    chain->GetRecordSize(&recordSize);
    const long long start = Now();
    *events += PullEvents(*chain.Get(), buffer, recordSize, sink);
    *seconds += SecondsSince(start);
  }
  return S_OK;
}

}  // namespace bench
