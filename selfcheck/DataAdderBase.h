// DataAdderBase: writes records into a host test document as if the host were sampling, serving
// the channel samples as the document's data source.
#pragma once

#include "base/Bitset.h"
#include "base/String.h"
#include "hostapi/DataSampling.h"
#include "hostapi/RecordData.h"
#include "hostclient/ComPtr.h"
#include "hostclient/SimpleUnknownImp.h"

#include <cstdint>
#include <vector>

namespace SelfCheck {

// Idle until StartRecord; a record then grows by AddTicks up to mTicks ticks, and AddWholeRecord
// or FinishSampling ends it and sampling. Every violated condition throws UnitTestException.
// Made with a count of 0: the creator holds it in a ComPtr.
class DataAdderBase : public QOR::SimpleUnknownImp1<IScrivoDataSource, IID_IScrivoDataSource> {
 public:
  // IScrivoDataSource
  HRESULT STDMETHODCALLTYPE Reserved3(int32_t, int32_t, void*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Open(int32_t, int32_t, ISampleSource** source) noexcept override {
    if (source) *source = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Reserved5(int32_t, int32_t, int32_t, void*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetLengthEntry(int64_t* ticks) noexcept override { return GetLength(ticks); }
  HRESULT STDMETHODCALLTYPE GetLength(int64_t*) noexcept override { return E_NOTIMPL; }

  // The channels switched on; with none, the given channels (or channel 0) are.
  void SetSelection(const QOR::Bitset& selection) { mSelection.Assign(selection); }
  void Select(const QOR::Bitset& channels) { mSelection.OrWith(channels); }
  void Deselect(const QOR::Bitset& channels);
  // Per channel; bit 0x80000000 gives the channel the range -10 to 10 instead of none.
  void SetChannelFlags(const std::vector<uint32_t>& flags) { mChannelFlags = flags; }
  void SetRecordFlag(uint32_t flag) noexcept { mRecordFlag = flag; }

  // Adds ticks to the open record, never past mTicks, and checks that the document's end
  // follows. A channel that could not be opened fails here, after the sink has been told.
  void AddTicks(int32_t ticks);
  // Ends the open record and sampling.
  void FinishSampling();

  IHostRecordData* Document() const noexcept { return mDocument; }

 protected:
  // document: the test document to write into, not held; null makes a new one, held here.
  explicit DataAdderBase(IHostRecordData* document);
  ~DataAdderBase() override;

  // Starts sampling and a record at startTime (seconds; 0.0 is now).
  void StartRecord(double startTime);
  void AddWholeRecord(double startTime);
  // Remembers the first failure met while the host read samples, to raise it once the host
  // call has returned.
  void NoteSourceFailure(const QOR::String& text) noexcept;

  IHostRecordData* mDocument;
  QOR::ComPtr<IHostRecordData> mOwnedDocument;
  QOR::ComPtr<IScrivoDataSink> mSink;
  QOR::Bitset mSelection;
  std::vector<double> mSampleRates;
  double mTickRate = 0.0;
  int32_t mTicks = -1;
  std::vector<uint32_t> mChannelFlags;
  uint32_t mRecordFlag = 0;
  int32_t mTicksAdded = 0;

 private:
  void DeclareChannels();
  bool SourceFailed() const noexcept { return !mSourceFailure.IsEmpty(); }

  QOR::String mSourceFailure;
};

}  // namespace SelfCheck
