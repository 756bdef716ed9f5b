// Sampling into a data document: grows its last record block by block and tells the
// registered online sinks, in registration order, how sampling proceeds.
#pragma once

#include "host/data/DataDocument.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace host {

// Calls follow the order Start, then per record StartRecord, Append..., EndRecord, then Stop;
// a call out of that order answers E_UNEXPECTED and changes nothing. The sinks' answers do not
// stop sampling (a failing sink must not lose the others their data).
class Sampler {
 public:
  explicit Sampler(DataDocument* document) : mDocument(document) {}

  HRESULT Start();
  // Appends an empty record with its own tick period; the sinks hear its index and whether the
  // record is sampled for them (VARIANT_FALSE: kept, but not meant for analysis).
  HRESULT StartRecord(double tickPeriod, VARIANT_BOOL sampled = VARIANT_TRUE);
  // One vector per recorded channel (channels without a formula, in order), all of one length;
  // signal-formula channels are computed for the new ticks. E_INVALIDARG for a block of the
  // wrong shape.
  HRESULT Append(const std::vector<std::vector<float>>& block);
  HRESULT EndRecord();
  HRESULT Stop();

 private:
  enum class State { Idle, Sampling, InRecord };
  template <typename Call>
  void Notify(Call call) const;

  DataDocument* mDocument;
  State mState = State::Idle;
};

// The online-data service's run over a finished recording: samples every record of source into
// document (whose channels are source's, without records) in batches of batchTicks ticks, the
// last batch of a record holding the rest, as sampling hardware would deliver them. Signal-formula
// channels are computed by the document. E_INVALIDARG for a batch below 1 or channels that do
// not match; otherwise the first failing step's answer. afterBatch, when given, runs after each
// batch has reached the sinks: the host's loop goes on between batches, so that its windows show
// the data as it arrives.
HRESULT SampleRecording(DataDocument* document, const Recording& source, int32_t batchTicks,
                        const std::function<void()>& afterBatch = {});

}  // namespace host
