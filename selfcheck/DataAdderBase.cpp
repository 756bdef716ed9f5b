// DataAdderBase: the sampling road into a test document.
#include "selfcheck/DataAdderBase.h"

#include "base/Rational.h"
#include "hostapi/HostUnits.h"
#include "hostclient/HostUnits.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/TestDocumentAccess.h"
#include "selfcheck/UnitTestException.h"

#include <cmath>
#include <ctime>

namespace SelfCheck {

namespace {

constexpr char kFile[] = "TestDataAdder";
constexpr int32_t kLineNewDocument = 38;
constexpr int32_t kLineSink = 86;
constexpr int32_t kLineTicks = 87;
constexpr int32_t kLineTickRate = 88;
constexpr int32_t kLineRate = 104;
constexpr int32_t kLineCanSample = 124;
constexpr int32_t kLineAddSink = 142;
constexpr int32_t kLineRecordData = 152;
constexpr int32_t kLineEndPosition = 155;

// Rates are declared to the host in whole hertz, and a period must be above zero.
constexpr double kLowestRate = 1.0;
constexpr uint32_t kChannelFlagBounded = 0x80000000u;
constexpr double kHighestRate = 4.0e9;

bool IsOn(const QOR::Bitset& set, uint32_t channel) noexcept {
  return ((set.Word(channel / 32) >> (channel % 32)) & 1u) != 0;
}

bool NoneSet(const QOR::Bitset& set) noexcept { return set.BitLength() == 0; }

// The period of a rate declared in whole hertz (truncated), as the host's reduced rational.
HostRational64 PeriodOfRate(double rate) {
  QORRationalImp period{1, static_cast<int64_t>(rate)};
  period.Normalize();
  return HostRational64{period.num, period.den};
}

}  // namespace

DataAdderBase::DataAdderBase(IHostRecordData* document) : mDocument(document) {
  if (mDocument) return;
  mOwnedDocument = NewTestDocument(kFile, kLineNewDocument);
  mDocument = mOwnedDocument.Get();
}

DataAdderBase::~DataAdderBase() = default;

void DataAdderBase::Deselect(const QOR::Bitset& channels) {
  mSelection.OrWith(channels);
  mSelection.XorWith(channels);
}

void DataAdderBase::NoteSourceFailure(const QOR::String& text) noexcept {
  if (!SourceFailed()) mSourceFailure = text;
}

void DataAdderBase::DeclareChannels() {
  QOR::Bitset on(mSelection);
  if (NoneSet(on)) on.WordAt(0) |= 1u;
  for (const double rate : mSampleRates) {
    CheckThat(rate >= kLowestRate && rate <= kHighestRate, "mSampleRates[channel] >= 1", kFile, kLineRate,
              QOR::String(L"Sample rates below 1 Hz cannot be declared to the host."));
  }
  const HostRational64 tickPeriod = PeriodOfRate(mTickRate);
  for (size_t c = 0; c < mSampleRates.size(); ++c) {
    const double rate = mSampleRates[c];
    // A flagged channel holds -10 to 10; any other none in particular.
    const bool bounded = c < mChannelFlags.size() && (mChannelFlags[c] & kChannelFlagBounded) != 0;
    QOR::ComPtr<IUnknown> unit;
    QOR::MakeRangedUnit(bounded ? -10.0f : -HUGE_VALF, bounded ? 10.0f : HUGE_VALF, L"V",
                        unit.Out());  // a channel without units object is still declared
    const bool channelOn = IsOn(on, static_cast<uint32_t>(c));
    mSink->DeclareChannel(static_cast<int32_t>(c), channelOn ? 1 : 0, channelOn ? VARIANT_TRUE : VARIANT_FALSE,
                          unit.Get(), PeriodOfRate(rate), &tickPeriod,
                          kDeclareChannelSampled, this);
  }
}

void DataAdderBase::StartRecord(double startTime) {
  mSink.Reset();
  QOR::ComPtr<IHostSamplingTarget> target;
  if (mDocument && SUCCEEDED(mDocument->QueryInterface(IID_IHostSamplingTarget, target.OutVoid())) && target)
    target->QueryInterface(IID_IScrivoDataSink, mSink.OutVoid());
  if (startTime == 0.0) startTime = static_cast<double>(std::time(nullptr));
  CheckThat(static_cast<bool>(mSink), "mSink.IsValid()", kFile, kLineSink);
  CheckThat(mTicks != -1, "mTicks!=-1", kFile, kLineTicks);
  CheckThat(mTickRate > 0, "mTickRate>0", kFile, kLineTickRate);
  mSourceFailure = QOR::String();
  DeclareChannels();
  QOR::String reason;
  VARIANT_BOOL canSample = VARIANT_FALSE;
  mSink->MaySamplingStart(QOR::StringOutParam(reason), &canSample);
  CheckThat(canSample != VARIANT_FALSE, "canSample", kFile, kLineCanSample, reason);
  mSink->StartSampling(0);
  mSink->StartRecord(0, this, 1.0 / mTickRate, startTime, 0.0, 0, 0, mRecordFlag, VARIANT_TRUE);
  mTicksAdded = 0;
}

void DataAdderBase::AddTicks(int32_t ticks) {
  CheckThat(static_cast<bool>(mSink), "mSink", kFile, kLineAddSink);
  if (ticks < 0) ticks = 0;
  if (ticks > mTicks - mTicksAdded) ticks = mTicks - mTicksAdded;
  mSink->NewData(ticks);  // what the host made of it shows in the end position below
  if (SourceFailed()) throw UnitTestException(mSourceFailure);
  mTicksAdded += ticks;
  QOR::ComPtr<IHostRecordData> recdata;
  mDocument->QueryInterface(IID_IHostRecordData, recdata.OutVoid());
  CheckThat(static_cast<bool>(recdata), "recdata", kFile, kLineRecordData);
  DataPosition endpos{0x7FFFFFFF, 0x7FFFFFFF};
  recdata->GetEndPosition(0, &endpos);
  CheckThat(endpos.mRecordOffset == mTicksAdded, "endpos.mRecordOffset == mTicksAdded", kFile, kLineEndPosition);
}

void DataAdderBase::FinishSampling() {
  if (!mSink) return;
  int32_t ticks = 0;
  mSink->EndRecord(0, &ticks);
  mSink->StopSampling(VARIANT_TRUE);
  mSink.Reset();
}

void DataAdderBase::AddWholeRecord(double startTime) {
  StartRecord(startTime);
  try {
    AddTicks(mTicks);
  } catch (...) {
    FinishSampling();  // the document is left idle, whatever the failure
    throw;
  }
  FinishSampling();
}

}  // namespace SelfCheck
