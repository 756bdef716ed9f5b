// Runs an enumerator formula over a data document record by record.
#include "host/app/EventRun.h"

#include "host/app/EventRecordFormat.h"
#include "host/common/HostString.h"
#include "host/common/OutParam.h"
#include "host/data/Sampler.h"
#include "host/formula/FormulaChain.h"
#include "host/formula/FormulaEnumerator.h"
#include "hostapi/CalcEnum.h"

#include <vector>

namespace host {

namespace {

constexpr int32_t kBlockRecords = 8;
constexpr uint32_t kOnlineChainFlags = 0xC0000000u;

struct RunFailure {
  HRESULT hr;
  std::wstring message;
};

// Why a channel reference of the formula has no source in a record.
std::wstring MissingSourceText(const DataDocument& document, const ChannelRef& ref, int32_t record) {
  const std::vector<ChannelInfo>& channels = document.Data().channels;
  const std::wstring number = std::to_wstring(ref.channel + 1);
  if (static_cast<size_t>(ref.channel) >= channels.size())
    return L"channel " + number + L" does not exist: the recording has " + std::to_wstring(channels.size()) +
           L" channel(s)";
  const bool calculated = !channels[static_cast<size_t>(ref.channel)].formula.empty();
  if (ref.mark == L'v' && !calculated)
    return L"no calculated channel " + number + L" exists: channel " + number + L" is recorded (write ch" + number +
           L")";
  if (ref.mark == L'r' && calculated)
    return L"no recorded channel " + number + L" exists: channel " + number + L" is calculated (write vch" +
           number + L")";
  return L"channel " + number + L" has no source in record " + std::to_wstring(record);
}

// One formula enumerator pulled record by record; its events are appended to the output.
class EventPuller {
 public:
  EventPuller(DataDocument* document, ICalcEnumClass2* formulaClass, const std::wstring& formula,
              std::string* output)
      : mDocument(document), mOutput(output) {
    HRESULT hr = formulaClass->CreateEnum(static_cast<IHostDataFile*>(document), mCalc.Out());
    if (FAILED(hr)) throw RunFailure{hr, L"the formula class made no enumerator"};
    hr = mCalc->LoadSettings(MakeHostString(formula).Get(), nullptr);
    if (hr != S_OK) {
      const std::wstring text = TakeErrorText();
      throw RunFailure{FAILED(hr) ? hr : E_FAIL, text.empty() ? L"the formula was not accepted" : text};
    }
    mRefs = CollectChannelRefs(ParseEnumeratorFormula(formula));
    mEvents = mCalc.As<IEnumEventEx>(IID_IEnumEventEx);
    if (!mEvents || FAILED(mEvents->GetRecordSize(&mRecordSize)) || mRecordSize <= 0)
      throw RunFailure{E_FAIL, L"the formula yields no event records"};
    mBuffer.resize(static_cast<size_t>(mRecordSize) * kBlockRecords);
    *mOutput += EventHeading(mRecordSize) + "\n";
  }

  // Sets the chain's sources for a record, as the getter does: one source per channel
  // reference, requested from tick 0 with the getter's flags.
  void StartRecord(int32_t record, bool complete) {
    std::vector<HostPtr<IUnknown>> sources;
    std::vector<IUnknown*> raw;
    for (const ChannelRef& ref : mRefs) {
      const uint32_t request = ChannelRequestFor(ref, !complete);
      HostPtr<IUnknown> source;
      if (mDocument->GetChannelSource(ref.channel, request, record, 0, kEnumRecordEnd, source.Out()) != S_OK)
        throw RunFailure{E_INVALIDARG, MissingSourceText(*mDocument, ref, record)};
      raw.push_back(source.Get());
      sources.push_back(std::move(source));
    }
    double period = 0.0;
    mDocument->GetRecordTickPeriod(0, record, &period);
    const HRESULT hr = mCalc->SetSources(record, static_cast<int32_t>(raw.size()), raw.empty() ? nullptr : raw.data(),
                                         nullptr, period, complete ? 0u : kOnlineChainFlags);
    if (FAILED(hr)) throw RunFailure{hr, L"the chain did not take its sources: " + TakeErrorText()};
    mCalc->SetStartTick(0);
    mRecord = record;
    mStalls = 0;
  }

  // Pulls what the chain has now; true once the record's events are all out.
  bool Pull() {
    for (;;) {
      int32_t returned = 0, next = 0;
      const HRESULT hr = mEvents->Next(static_cast<int32_t>(mBuffer.size()), kEnumRecordEnd, mBuffer.data(),
                                       &returned, &next);
      if (FAILED(hr)) throw RunFailure{hr, L"the chain failed in record " + std::to_wstring(mRecord)};
      for (int32_t i = 0; i < returned; ++i)
        *mOutput += FormatEvent(mRecord, mBuffer.data() + static_cast<size_t>(i) * mRecordSize, mRecordSize) + "\n";
      // S_FALSE, or a chain that has examined the record to its end (as a cache selector answers S_OK
      // at the end of what it holds), ends the record.
      if (hr == S_FALSE || next == kEnumRecordEnd) return true;
      if (returned == 0) return false;
    }
  }

  // The whole of a complete record; a chain that stops returning without ending the record
  // would loop forever, so a few empty rounds end the run with an error.
  void PullToEnd() {
    while (!Pull())
      if (++mStalls > 3) throw RunFailure{E_FAIL, L"the chain stopped before the end of record " + std::to_wstring(mRecord)};
  }

  void EndRecord() { mCalc->ResetCache(); }

 private:
  DataDocument* mDocument;
  std::string* mOutput;
  HostPtr<ICalcEnum> mCalc;
  HostPtr<IEnumEventEx> mEvents;
  std::vector<ChannelRef> mRefs;
  int32_t mRecordSize = 0;
  std::vector<unsigned char> mBuffer;
  int32_t mRecord = 0;
  int mStalls = 0;
};

// Pulls events as the host tells of sampling progress.
class PullingSink final : public HostObject<IOnlineDataSink> {
 public:
  explicit PullingSink(EventPuller* puller) : mPuller(puller) {}
  const RunFailure* Failure() const { return mFailed ? &mFailure : nullptr; }

  HRESULT STDMETHODCALLTYPE GetSinkInfo(uint32_t* options, uint16_t* channelMask) noexcept override {
    if (!options || !channelMask) return E_POINTER;
    *options = 0;
    *channelMask = 0xFFFF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnSamplingStart() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnRecordStart(int32_t record, VARIANT_BOOL) noexcept override {
    return Guard([&] { mPuller->StartRecord(record, false); });
  }
  HRESULT STDMETHODCALLTYPE OnNewData(int32_t, int32_t) noexcept override {
    return Guard([&] { mPuller->Pull(); });
  }
  HRESULT STDMETHODCALLTYPE OnRecordEnd(int32_t, int32_t) noexcept override {
    return Guard([&] {
      mPuller->PullToEnd();
      mPuller->EndRecord();
    });
  }
  HRESULT STDMETHODCALLTYPE OnSamplingStop() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SinkNotify(int32_t, int32_t) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved11() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(int32_t* priority) noexcept override { return AnswerOut(priority, 0); }
  HRESULT STDMETHODCALLTYPE GetUpdatePercent(int32_t* percent) noexcept override {
    return AnswerOut(percent, 100);
  }
  void* STDMETHODCALLTYPE DeletingDestructor(unsigned int) noexcept override { return this; }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IOnlineDataSink) return static_cast<IOnlineDataSink*>(this);
    return nullptr;
  }
  template <typename F>
  HRESULT Guard(F f) noexcept {
    if (mFailed) return E_FAIL;  // after a failure the rest of the run is not pulled
    try {
      f();
      return S_OK;
    } catch (const RunFailure& failure) {
      mFailure = failure;
    } catch (...) {
      mFailure = RunFailure{E_FAIL, L"the run failed"};
    }
    mFailed = true;
    return mFailure.hr;
  }

  EventPuller* mPuller;
  bool mFailed = false;
  RunFailure mFailure{S_OK, L""};
};

void RunOffline(DataDocument* document, EventPuller& puller) {
  int32_t records = 0;
  document->GetRecordCount(&records);
  for (int32_t r = 0; r < records; ++r) {
    puller.StartRecord(r, true);
    puller.PullToEnd();
    puller.EndRecord();
  }
}

// Feeds a live copy of the document's recorded channels block by block; the sink pulls.
void RunOnline(DataDocument* source, ICalcEnumClass2* formulaClass, const EventRunOptions& options,
               std::string* output) {
  const Recording& data = source->Data();
  Recording empty;
  empty.channels = data.channels;
  HostPtr<DataDocument> live = DataDocument::Create(std::move(empty));
  live->SetFormulaClass(formulaClass);
  EventPuller puller(live.Get(), formulaClass, options.formula, output);
  HostPtr<PullingSink> sink;
  sink.Attach(new PullingSink(&puller));
  live->RegisterSink(sink.Get());
  Sampler sampler(live.Get());
  sampler.Start();
  for (const RecordData& record : data.records) {
    sampler.StartRecord(record.tickPeriod);
    for (int32_t from = 0; from < record.length && !sink->Failure(); from += options.onlineBlock) {
      const int32_t n = std::min(options.onlineBlock, record.length - from);
      std::vector<std::vector<float>> block;
      for (size_t c = 0; c < data.channels.size(); ++c) {
        if (!data.channels[c].formula.empty()) continue;
        const float* values = record.samples[c]->Samples();
        block.emplace_back(values + from, values + from + n);
      }
      const HRESULT hr = sampler.Append(block);
      if (FAILED(hr)) throw RunFailure{hr, L"sampling failed"};
    }
    sampler.EndRecord();
    if (sink->Failure()) break;
  }
  sampler.Stop();
  live->UnregisterSink(sink.Get());
  if (sink->Failure()) throw *sink->Failure();
}

}  // namespace

HRESULT RunEventFormula(DataDocument* document, ICalcEnumClass2* formulaClass, const EventRunOptions& options,
                        std::string* output, std::wstring* error) {
  if (!document || !formulaClass || !output || !error) return E_POINTER;
  output->clear();
  error->clear();
  try {
    if (options.onlineBlock < 0) throw RunFailure{E_INVALIDARG, L"the online block must be a positive tick count"};
    if (options.onlineBlock > 0) {
      RunOnline(document, formulaClass, options, output);
    } else {
      EventPuller puller(document, formulaClass, options.formula, output);
      RunOffline(document, puller);
    }
    return S_OK;
  } catch (const RunFailure& failure) {
    *error = failure.message;
    return failure.hr;
  } catch (const FormulaError& e) {
    *error = L"formula error";
    (void)e;
    return E_INVALIDARG;
  } catch (const std::bad_alloc&) {
    *error = L"out of memory";
    return E_OUTOFMEMORY;
  }
}

}  // namespace host
