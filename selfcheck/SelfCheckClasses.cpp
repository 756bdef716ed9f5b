// The nine self-checks: each enumerator check's configuration and cases, and the document check.
#include "selfcheck/SelfCheckClasses.h"

#include "base/EventRecords.h"
#include "hostapi/CycleDetection.h"
#include "hostapi/PXDetectionSettings.h"
#include "selfcheck/BounceCheck.h"
#include "selfcheck/FindCheck.h"
#include "selfcheck/NextChecks.h"
#include "selfcheck/OnlineOfflineCheck.h"
#include "selfcheck/SetSourcesCheck.h"
#include "selfcheck/TestDocumentAccess.h"

#include <initializer_list>
#include <string>

namespace Ondara {

using SelfCheck::EnumCase;
using SelfCheck::EnumTestConfig;
using SelfCheck::ETB;

namespace {

// A cardiac action potential every 2 pi / 5 seconds, growing slowly over the record.
constexpr wchar_t kCapSignal[] =
    L"1/(0.01+(1-sin(5*t)))^2 * 0.0001 + threshold(sin(5*t - 2.5),.5)*(sin(5*t-2.5)-0.5)*(1+ 0.1*t)";
constexpr int32_t kSamples = 32599;
// Where a case names a failure to get the host's cycle detector.
constexpr char kFile[] = "SelfCheckClasses";
constexpr int32_t kLineCycleDocument = 40;
// The detector of the checks' chains.
constexpr wchar_t kCapDetector[] = L"cappeakdet(ch1,0.3)";
// Currents every 93.7 ms that jump from 0 to 1.5 in one sample and fall back over half that time: the mean of the
// jump's two samples stays below the cycle detector's threshold, that of the peak and the next sample crosses it,
// so each cycle starts one sample after its peak, and the peaks fall on every tick of a feed in turn.
constexpr wchar_t kCurrentsSignal[] = L"threshold(sin(67.05*t),0)*0.75*(1+sin(67.05*t+1.5707963))";

constexpr EnumCase kStandardCases[] = {
    EnumCase::Bounce,        EnumCase::Bounce2, EnumCase::NextOffline,
    EnumCase::NextOnline,    EnumCase::OnlineOffline, EnumCase::Find,
    EnumCase::SetSources};

// The host's cycle detector, which stands in for the CAP detector in the online-against-offline case: upward
// cycles at least 1 high over levels from 0, 10 ms apart, as General - Unstimulated and Synaptic analyses detect,
// in the host's own formula words, asked of the host as the analysis asks for them.
std::wstring CycleDetector() {
  const QOR::ComPtr<IHostRecordData> document = SelfCheck::NewTestDocument(kFile, kLineCycleDocument);
  const std::wstring detector = SelfCheck::HostDetectorFormula(
      document.Get(), L"ch1",
      {{kPXParamChannel, 0.0}, {kDetectPolarity, 1.0}, {kDetectHysteresis, 0.5}, {kPXParamMinHeight, 1.0},
       {kDetectMinIntervalMs, 10.0}, {kDetectBaselineMs, 0.0}, {kDetectRelative, 0.0}});
  return L"pcc(ch1," + detector + L")";
}

// A calculation chain over the CAP detector, made to run over the host's cycle detector on the currents signal;
// false for a chain that is the detector alone or has none.
bool OverCycleDetector(const EnumTestConfig& config, EnumTestConfig& currents) {
  const std::wstring detector = kCapDetector;
  if (config.mArithString == detector || config.mArithString.find(detector) == std::wstring::npos) return false;
  const std::wstring cycles = CycleDetector();
  const auto replaced = [&](std::wstring text) {
    for (size_t at = text.find(detector); at != std::wstring::npos; at = text.find(detector, at + cycles.size()))
      text.replace(at, detector.size(), cycles);
    return text;
  };
  currents = config;
  currents.mChannelFormulas = {kCurrentsSignal};
  currents.mArithString = replaced(config.mArithString);
  for (std::wstring& channel : currents.mVirtualChannels) channel = replaced(channel);
  return true;
}

// The body of one case: the check routine for the enumerator's record type, with the check's
// configuration as Configure left it. findBaseLine names the deterministic find's copy.
template <class TBufType>
SelfCheck::UnitTestBase::TestCase CaseBody(const ETB& check, EnumCase kind, int32_t findBaseLine) {
  const ETB* const self = &check;
  switch (kind) {
    case EnumCase::DeterministicBounce:
      return [self] { SelfCheck::CheckDeterministicBounce<TBufType>(self->Config()); };
    case EnumCase::DeterministicFind:
      return [self, findBaseLine] { SelfCheck::CheckDeterministicFind<TBufType>(self->Config(), findBaseLine); };
    case EnumCase::Bounce: return [self] { SelfCheck::CheckBounce<TBufType>(self->Config(), 0); };
    case EnumCase::Bounce2: return [self] { SelfCheck::CheckBounce<TBufType>(self->Config(), 1); };
    case EnumCase::NextOffline: return [self] { SelfCheck::CheckNextOffline(self->Config(), self->RecordSize()); };
    case EnumCase::NextOnline: return [self] { SelfCheck::CheckNextOnline(self->Config(), self->RecordSize()); };
    case EnumCase::OnlineOffline:
      return [self] {
        SelfCheck::CheckOnlineOfflineComparison<TBufType>(self->Config());
        EnumTestConfig currents;
        if (OverCycleDetector(self->Config(), currents)) SelfCheck::CheckOnlineOfflineComparison<TBufType>(currents);
      };
    case EnumCase::Find: return [self] { SelfCheck::CheckFind<TBufType>(self->Config()); };
    case EnumCase::SetSources: return [self] { SelfCheck::CheckSetSources<TBufType>(self->Config()); };
  }
  return {};
}

EnumTestConfig CapConfig(const wchar_t* arithString, const wchar_t* virtualChannel) {
  EnumTestConfig config(kCapSignal, arithString, kSamples);
  if (virtualChannel) config.mVirtualChannels.emplace_back(virtualChannel);
  return config;
}

}  // namespace

namespace Enum {

namespace CAPPeakDet {
constexpr wchar_t kName[] = L"Ondara::Enum::CAPPeakDet::Test";
void Test::AddTestCases() {
  for (const EnumCase kind : {EnumCase::DeterministicBounce, EnumCase::DeterministicFind, EnumCase::Bounce,
                              EnumCase::Bounce2, EnumCase::NextOffline, EnumCase::NextOnline,
                              EnumCase::OnlineOffline, EnumCase::Find, EnumCase::SetSources})
    AddEnumCase(kName, kind, CaseBody<EventPkStm>(*this, kind, 166));
}
void Test::Configure() {
  mConfig = CapConfig(kCapDetector, kCapDetector);
  mRecordSize = sizeof(EventPkStm);
}
}  // namespace CAPPeakDet

namespace ERStimDet {
constexpr wchar_t kName[] = L"Ondara::Enum::ERStimDet::Test";
void Test::AddTestCases() {
  for (const EnumCase kind : kStandardCases) AddEnumCase(kName, kind, CaseBody<EventPkStm>(*this, kind, 0));
}
void Test::Configure() {
  mConfig = EnumTestConfig(L"5*sin(10*t)", L"ERStimDet(ch1,8,1000,2000,0,0)", kSamples);
  mRecordSize = sizeof(EventPkStm);
}
}  // namespace ERStimDet

namespace CalcBase {
constexpr wchar_t kName[] = L"Ondara::Enum::CalcBase::Test";
constexpr wchar_t kNameAR[] = L"Ondara::Enum::CalcBase::TestAR";
constexpr wchar_t kRegionChain[] =
    L"calcbase(ch1,cappeakdet(ch1,0.3,0,0,10000,0,20000),0,0,-1,-1,0,0,0,10000,0,20000)";
void Test::AddTestCases() {
  AddEnumCase(kName, EnumCase::DeterministicFind, CaseBody<EventBCalcBase>(*this, EnumCase::DeterministicFind, 394));
  for (const EnumCase kind : kStandardCases) AddEnumCase(kName, kind, CaseBody<EventBCalcBase>(*this, kind, 0));
}
void Test::Configure() {
  mConfig = CapConfig(L"calcbase(ch1,cappeakdet(ch1,0.3))", L"calcbase(ch1,cappeakdet(ch1,0.3))");
  mRecordSize = sizeof(EventBCalcBase);
}
void TestAR::AddTestCases() {
  for (const EnumCase kind : {EnumCase::DeterministicFind, EnumCase::Bounce, EnumCase::Bounce2,
                              EnumCase::NextOffline, EnumCase::Find, EnumCase::SetSources})
    AddEnumCase(kNameAR, kind, CaseBody<EventBCalcBase>(*this, kind, 558));
}
// The chain detects only in ticks 10000 to 20000 of record 0, so the bounce checks, which need
// an event in every record they build, build that record alone.
void TestAR::Configure() {
  mConfig = CapConfig(kRegionChain, kRegionChain);
  mConfig.mNumRecords = 1;
  mRecordSize = sizeof(EventBCalcBase);
}
}  // namespace CalcBase

namespace CalcAMax {
constexpr wchar_t kName[] = L"Ondara::Enum::CalcAMax::Test";
constexpr wchar_t kChain[] = L"calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))";
void Test::AddTestCases() {
  for (const EnumCase kind : kStandardCases) AddEnumCase(kName, kind, CaseBody<EventBCalcMax>(*this, kind, 0));
}
void Test::Configure() {
  mConfig = CapConfig(kChain, kChain);
  mRecordSize = sizeof(EventBCalcMax);
}
}  // namespace CalcAMax

namespace CalcBase2 {
constexpr wchar_t kName[] = L"Ondara::Enum::CalcBase2::Test";
void Test::AddTestCases() {
  for (const EnumCase kind : kStandardCases) AddEnumCase(kName, kind, CaseBody<EventBCalcBase2>(*this, kind, 0));
}
void Test::Configure() {
  mConfig = CapConfig(L"CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3))))", nullptr);
  mRecordSize = sizeof(EventBCalcBase2);
}
}  // namespace CalcBase2

namespace CalcBulk {
constexpr wchar_t kName[] = L"Ondara::Enum::CalcBulk::Test";
void Test::AddTestCases() {
  for (const EnumCase kind : kStandardCases) AddEnumCase(kName, kind, CaseBody<EventFCalc>(*this, kind, 0));
}
void Test::Configure() {
  mConfig = CapConfig(L"CalcBulk(ch1,CalcBase2(ch1,calcamax(ch1,calcbase(ch1,cappeakdet(ch1,0.3)))))", nullptr);
  mRecordSize = sizeof(EventFCalc);
}
}  // namespace CalcBulk

namespace EventData {
constexpr wchar_t kName[] = L"Ondara::Enum::EventData::Test";
void Test::AddTestCases() {
  for (const EnumCase kind : kStandardCases) AddEnumCase(kName, kind, CaseBody<EventBCalcBase2>(*this, kind, 0));
}
// Built up from the default configuration: one record of 23110 samples.
void Test::Configure() {
  mConfig = EnumTestConfig();
  mConfig.mChannelFormulas.emplace_back(kCapSignal);
  mConfig.mVirtualChannels.emplace_back(L"cappeakdet(ch1,0.3)");
  mConfig.mArithString = L"CalcBase2(ch1,calcamax(ch1,calcbase(ch1,vch1)))";
  mConfig.mChannelParams.push_back(0);
  mConfig.mNumRecords = 1;
  mConfig.mNumSamples = 23110;
  mRecordSize = sizeof(EventBCalcBase2);
  mConfig.mSampleRates.push_back(1000.0);
}
}  // namespace EventData

}  // namespace Enum

void Ondara_Document::AddTestCases() {
  AddTestCase([] {}, QOR::String(L"Ondara::Ondara_Document::TestCalculations"), 60.0);
}

void Ondara_Document::InitOwner() { SetOwner(QOR::String(L"Ondara document maintainers")); }

}  // namespace Ondara
