// FormulaDataAdder: synthetic recordings for the self-checks, each channel the samples of a
// formula of the time t evaluated by the host's formula enumerator at the channel's rate.
#pragma once

#include "selfcheck/DataAdderBase.h"

#include <string>
#include <vector>

namespace SelfCheck {

class FormulaDataAdder final : public DataAdderBase {
 public:
  // Over document (not held), or over a new test document when it is null.
  static QOR::ComPtr<FormulaDataAdder> Create(IHostRecordData* document = nullptr);

  // Channels: one formula and one rate (samples per second) each; no formula at all means one
  // channel "1" at 1000 Hz. ticks: the record length. The largest rate gives the tick.
  void SetExpressions(const std::vector<std::wstring>& expressions, int32_t ticks,
                      const std::vector<double>& sampleRates);
  // One whole record (start time in seconds; 0.0 is now).
  void AddRecord(const std::vector<std::wstring>& expressions, int32_t ticks, const std::vector<double>& sampleRates,
                 double startTime);
  void AddRecordAtOneRate(const std::vector<std::wstring>& expressions, int32_t ticks, double rate,
                          double startTime);
  // Starts a record that AddTicks then grows and FinishSampling ends.
  void StartAdding(const std::vector<std::wstring>& expressions, int32_t ticks,
                   const std::vector<double>& sampleRates, double startTime);
  void StartAddingAtOneRate(const std::vector<std::wstring>& expressions, int32_t ticks, double rate,
                            double startTime);

  // The host reads channel samples here: the formula enumerator's channel over the document;
  // a channel beyond the formulas reads "0". A failure answers E_FAIL and fails the check in
  // the AddTicks that made the host ask.
  HRESULT STDMETHODCALLTYPE Open(int32_t reserved, int32_t channel, ISampleSource** source) noexcept override;
  HRESULT STDMETHODCALLTYPE GetLength(int64_t* ticks) noexcept override;

  const std::vector<std::wstring>& Expressions() const noexcept { return mExpressions; }
  const std::vector<double>& SampleRates() const noexcept { return mSampleRates; }
  double TickRate() const noexcept { return mTickRate; }
  int32_t Ticks() const noexcept { return mTicks; }

 private:
  explicit FormulaDataAdder(IHostRecordData* document);
  QOR::ComPtr<ISampleSource> OpenChannel(int32_t channel);

  std::vector<std::wstring> mExpressions;
};

}  // namespace SelfCheck
