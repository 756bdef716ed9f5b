// FormulaDataAdder: the channels' formulas and the host's formula enumerator as their source.
#include "selfcheck/FormulaDataAdder.h"

#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/DataFile.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/FrameworkAccess.h"
#include "selfcheck/CheckAssert.h"
#include "selfcheck/UnitTestException.h"

#include <algorithm>

namespace SelfCheck {

namespace {

constexpr char kFile[] = "TestDataAdder";
constexpr int32_t kLineCounts = 192;
constexpr int32_t kLineFactory = 231;
constexpr int32_t kLineFormulaClass = 235;
constexpr int32_t kLineLoad = 243;
constexpr int32_t kLineChannel = 246;
constexpr int32_t kLineChannelSource = 252;
constexpr int32_t kLineUnexpected = 260;

}  // namespace

FormulaDataAdder::FormulaDataAdder(IHostRecordData* document) : DataAdderBase(document) { mTicks = 10240; }

QOR::ComPtr<FormulaDataAdder> FormulaDataAdder::Create(IHostRecordData* document) {
  return QOR::ComPtr<FormulaDataAdder>(new FormulaDataAdder(document));
}

void FormulaDataAdder::SetExpressions(const std::vector<std::wstring>& expressions, int32_t ticks,
                                      const std::vector<double>& sampleRates) {
  mExpressions = expressions;
  mSampleRates = sampleRates;
  CheckThat(mExpressions.size() == mSampleRates.size(), "mExpressions.size() == mSampleRates.size()", kFile,
            kLineCounts);
  if (mExpressions.empty()) {
    mExpressions.assign(1, L"1");
    mSampleRates.assign(1, 1000.0);
  }
  mTicks = ticks;
  if (mSelection.BitLength() == 0) mSelection.SetFirstBits(static_cast<uint32_t>(expressions.size()));
  mTickRate = *std::max_element(mSampleRates.begin(), mSampleRates.end());
}

void FormulaDataAdder::AddRecord(const std::vector<std::wstring>& expressions, int32_t ticks,
                                 const std::vector<double>& sampleRates, double startTime) {
  SetExpressions(expressions, ticks, sampleRates);
  AddWholeRecord(startTime);
}

void FormulaDataAdder::AddRecordAtOneRate(const std::vector<std::wstring>& expressions, int32_t ticks, double rate,
                                          double startTime) {
  AddRecord(expressions, ticks, std::vector<double>(expressions.size(), rate), startTime);
}

void FormulaDataAdder::StartAdding(const std::vector<std::wstring>& expressions, int32_t ticks,
                                   const std::vector<double>& sampleRates, double startTime) {
  SetExpressions(expressions, ticks, sampleRates);
  StartRecord(startTime);
}

void FormulaDataAdder::StartAddingAtOneRate(const std::vector<std::wstring>& expressions, int32_t ticks,
                                            double rate, double startTime) {
  StartAdding(expressions, ticks, std::vector<double>(expressions.size(), rate), startTime);
}

QOR::ComPtr<ISampleSource> FormulaDataAdder::OpenChannel(int32_t channel) {
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  CheckThat(registry != nullptr, "ObjectFactoryAccessor::Get()", kFile, kLineFactory,
            QOR::String(L"Lumo.DLL couldnt be loaded?"));
  QOR::ComPtr<ICalcEnumClass2> formulaClass;
  registry->GetClassObject(GetEventTypeId(), IID_ICalcEnumClass2, formulaClass.OutVoid());
  CheckThat(static_cast<bool>(formulaClass), "formulaClass", kFile, kLineFormulaClass);
  QOR::ComPtr<IUnknown> dataFile;
  mDocument->QueryInterface(IID_IHostDataFile, dataFile.OutVoid());
  QOR::ComPtr<ICalcEnum> calc;
  formulaClass->CreateEnum(dataFile.Get(), calc.Out());
  CheckThat(static_cast<bool>(calc), "calc", kFile, kLineFormulaClass);
  const bool known = channel >= 0 && static_cast<size_t>(channel) < mExpressions.size();
  const QOR::String text(known ? mExpressions[static_cast<size_t>(channel)].c_str() : L"0");
  uint32_t kind = 0;
  CheckThat(calc->LoadSettings(text.GetInterface(), &kind) == S_OK, "calc->LoadSettings(expression)==S_OK", kFile,
            kLineLoad, text);
  CheckThat(channel >= 0 && channel < static_cast<int32_t>(mSampleRates.size()),
            "chan < (TChanIndex)(mSampleRates.size())", kFile, kLineChannel);
  calc->SetSources(0, 0, nullptr, nullptr, 1.0 / mSampleRates[static_cast<size_t>(channel)], 0);
  calc->SetStartTick(0);
  QOR::ComPtr<ISampleSource> source;
  calc->QueryInterface(IID_ISampleSource, source.OutVoid());
  CheckThat(static_cast<bool>(source), "source", kFile, kLineChannelSource);
  return source;
}

HRESULT STDMETHODCALLTYPE FormulaDataAdder::Open(int32_t, int32_t channel, ISampleSource** source) noexcept {
  if (!source) return E_POINTER;
  *source = nullptr;
  // The host is calling: a failure waits in the adder until the host's call has returned.
  try {
    *source = OpenChannel(channel).Detach();
    return S_OK;
  } catch (const UnitTestException& e) {
    NoteSourceFailure(e.Text());
  } catch (...) {
    try {
      NoteSourceFailure(FormatFailure("Open", kFile, kLineUnexpected, QOR::String(L"Unexpected exception")));
    } catch (...) {
      NoteSourceFailure(QOR::String());  // no memory left for the text
    }
  }
  return E_FAIL;
}

HRESULT STDMETHODCALLTYPE FormulaDataAdder::GetLength(int64_t* ticks) noexcept {
  if (!ticks) return E_POINTER;
  *ticks = mTicks;
  return S_OK;
}

}  // namespace SelfCheck
