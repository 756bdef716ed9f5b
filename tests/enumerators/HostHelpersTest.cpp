// Number texts, rounding and the questions to the stand-in host's documents.
#include "enumerators/framework/HostHelpers.h"

#include "host/data/DataDocument.h"
#include "host/data/HostDocument.h"
#include "host/data/Sampler.h"
#include "hostapi/HostCalculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(HostHelpers, RoundToLongRoundsHalvesAwayAndSaturates) {
  const struct {
    double x;
    int32_t expected;
  } cases[] = {{2.5, 3},         {-2.5, -3},           {0.49, 0},           {-0.49, 0},
               {3e9, 2147483647}, {-3e9, -2147483647 - 1}, {2147483647.0, 2147483647},
               {-2147483648.0, -2147483647 - 1}, {std::nan(""), 0}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, ExtLib::RoundToLong(c.x)) << "x " << c.x;
}

TEST(HostHelpers, FormatDoubleNamesNonFiniteValues) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(L"infinity", ExtLib::FormatDouble(inf, 6));
  EXPECT_EQ(L"-infinity", ExtLib::FormatDouble(-inf, 6));
  EXPECT_EQ(L"NaN", ExtLib::FormatDouble(std::nan(""), 6));
  EXPECT_EQ(L"0.333", ExtLib::FormatDouble(1.0 / 3.0, 3));
  EXPECT_EQ(L"1.5e+10", ExtLib::FormatDouble(1.5e10, 6));
}

TEST(HostHelpers, LowerCaseInPlaceLeavesCopiesAlone) {
  QOR::String original(L"CalcBase(CH1)");
  QOR::String copy = original;
  ExtLib::LowerCaseInPlace(copy);
  EXPECT_STREQ(L"calcbase(ch1)", copy.GetText());
  EXPECT_STREQ(L"CalcBase(CH1)", original.GetText());
  EXPECT_EQ(L"-42", ExtLib::LongToText(-42));
}

namespace {

// Two records of 600000 and 500000 ticks; channel 0 recorded, channel 1 untitled and recorded,
// channel 2 calculated.
host::HostPtr<host::DataDocument> TwoRecordDocument() {
  host::Recording recording;
  recording.channels = {{L"Vm", L"mV", L""}, {L"", L"V", L""}, {L"Wave", L"mV", L"2*sin(t)"}};
  for (const int32_t length : {600000, 500000}) {
    host::RecordData record = host::MakeEmptyRecord(recording.channels.size(), 0.001, true);
    record.length = length;
    const std::vector<float> zeros(static_cast<size_t>(length), 0.0f);
    record.samples[0]->Append(zeros.data(), length);
    record.samples[1]->Append(zeros.data(), length);
    recording.records.push_back(std::move(record));
  }
  return host::DataDocument::Create(std::move(recording));
}

double SpanForSelection(IHostDataDocument* document, HostPosition start, HostPosition end) {
  host::HostPtr<IHostSelection> selection;
  EXPECT_EQ(S_OK, document->GetSelection(selection.Out()));
  EXPECT_EQ(S_OK, selection->SetRange(start, end));
  return ExtLib::ChooseDisplaySpan(document);
}

}  // namespace

TEST(HostHelpers, ChooseDisplaySpanRoundsAFourHundredthOfTheSelectionUp) {
  const auto doc = TwoRecordDocument();
  IHostDataDocument* const document = doc.Get();
  EXPECT_EQ(1.0, ExtLib::ChooseDisplaySpan(document));  // nothing selected
  EXPECT_EQ(1.0, ExtLib::ChooseDisplaySpan(nullptr));
  const struct {
    int32_t ticks;
    double span;
  } cases[] = {{1000, 5.0}, {400, 1.0}, {0, 1.0}, {800, 2.0}, {801, 5.0}, {20000, 50.0},
               {400000, 1000.0}, {400001, 2000.0}};
  for (const auto& c : cases)
    EXPECT_EQ(c.span, SpanForSelection(document, {0, 100}, {0, 100 + c.ticks})) << c.ticks;
  // A selection across the two records counts the ticks of both.
  EXPECT_EQ(2000.0, SpanForSelection(document, {0, 100000}, {1, 500000}));
  EXPECT_EQ(500.0, SpanForSelection(document, {0, 500000}, {1, 100000}));
  // A stored span wins, even 0; one below -0.5 means none is stored.
  EXPECT_EQ(0.0, ExtLib::ChooseDisplaySpan(document, 0.0));
  EXPECT_EQ(-0.5, ExtLib::ChooseDisplaySpan(document, -0.5));
  EXPECT_EQ(500.0, ExtLib::ChooseDisplaySpan(document, -0.51));
  // A wider preview (a finer screen's) spreads the selection over its width.
  EXPECT_EQ(5.0, SpanForSelection(document, {0, 100}, {0, 1100}));
  EXPECT_EQ(2.0, ExtLib::ChooseDisplaySpan(document, -1.0, 800));
}

TEST(HostHelpers, HostDocumentQuestionsAnswerFromTheDocument) {
  auto data = TwoRecordDocument();
  const auto hostDocument = host::HostDocument::Create(data);
  IHostDocument* const doc = hostDocument.Get();

  EXPECT_EQ(3, ExtLib::MaxOfThreeCounts(doc));
  EXPECT_EQ(16, ExtLib::MaxOfThreeCounts(nullptr));
  EXPECT_STREQ(L"Vm", ExtLib::GetHostObjectText(doc, 0).GetText());
  EXPECT_STREQ(L"Channel 2", ExtLib::GetHostObjectText(doc, 1).GetText());
  EXPECT_STREQ(L"Channel 4", ExtLib::GetHostObjectText(doc, 3).GetText());  // the channel added next
  EXPECT_STREQ(L"", ExtLib::GetHostObjectText(doc, 4).GetText());  // no such channel
  EXPECT_STREQ(L"?", ExtLib::GetHostObjectText(nullptr, 0).GetText());

  EXPECT_FALSE(ExtLib::HostFlagIsSet(doc));
  host::Sampler sampler(data.Get());
  ASSERT_EQ(S_OK, sampler.Start());
  EXPECT_TRUE(ExtLib::HostFlagIsSet(doc));  // flag 0: the host samples into the document
  ASSERT_EQ(S_OK, sampler.Stop());
  EXPECT_FALSE(ExtLib::HostFlagIsSet(doc));
  EXPECT_FALSE(ExtLib::HostFlagIsSet(nullptr));
}

namespace {

// A data document whose channel 2 carries a calculation made by class 0x00420000; only what
// the calculation lookup asks is answered.
class CalcDocument final : public IHostDataDocument, public IHostChannelObjects {
 public:
  class Calculation final : public IHostChannelCalc, public IHostChannelCalcInfo {
   public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      *out = nullptr;
      if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHostChannelCalc))
        *out = static_cast<IHostChannelCalc*>(this);
      else if (IsEqualIID(iid, IID_IHostChannelCalcInfo))
        *out = static_cast<IHostChannelCalcInfo*>(this);
      else
        return E_NOINTERFACE;
      ++refs;
      return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE ApplySettings(IUnknown*, VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClassTypeId(uint32_t* typeId) override {
      *typeId = 0x00420000u;
      return S_OK;
    }
    int refs = 1;
  };

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHostDataDocument))
      *out = static_cast<IHostDataDocument*>(this);
    else if (IsEqualIID(iid, IID_IHostChannelObjects))
      *out = static_cast<IHostChannelObjects*>(this);
    else
      return E_NOINTERFACE;
    ++refs;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE GetChannelObject(int32_t ch, uint32_t fl, IUnknown** object) override {
    flags = fl;
    *object = nullptr;
    if (ch != 2) return S_FALSE;
    calculation.AddRef();
    *object = static_cast<IHostChannelCalc*>(&calculation);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRecordCount(int32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordLength(int32_t, int32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDataEnd(uint32_t, int32_t*, int32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRecordTickPeriod(int32_t, int32_t, double*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelTickPeriod(int32_t, uint32_t, int32_t, double*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelCount(int32_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelSource(int32_t, uint32_t, int32_t, int32_t, int32_t, IUnknown**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetChannelTitle(int32_t, int32_t, uint32_t, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelUnits(int32_t, int32_t, uint32_t, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelDescription(int32_t, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSelection(IHostSelection**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSamplingState(int32_t, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDataObject(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateOutput(const void*, QOR::IQORString*, uint32_t, uint32_t, IUnknown**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Apply(int32_t, uint32_t, uint32_t, IUnknown*) override { return E_NOTIMPL; }

  int refs = 1;
  uint32_t flags = 0;
  Calculation calculation;
};

}  // namespace

TEST(HostHelpers, GetDataDocumentRangeFindsACalculationOfTheClass) {
  CalcDocument document;
  IUnknown* const host = static_cast<IHostChannelObjects*>(&document);
  IHostChannelCalc* calculation = nullptr;
  ASSERT_TRUE(ExtLib::GetDataDocumentRange(host, 0x00420000u, 2, 0xC0000000u, &calculation));
  EXPECT_EQ(0xC0000000u, document.flags);
  EXPECT_EQ(static_cast<IHostChannelCalc*>(&document.calculation), calculation);
  EXPECT_EQ(2, document.calculation.refs);  // the caller's reference
  calculation->Release();

  EXPECT_FALSE(ExtLib::GetDataDocumentRange(host, 0x00430000u, 2, 0xC0000000u, &calculation));
  EXPECT_EQ(nullptr, calculation);
  EXPECT_FALSE(ExtLib::GetDataDocumentRange(host, 0x00420000u, 1, 0xC0000000u, &calculation));
  EXPECT_TRUE(ExtLib::GetDataDocumentRange(host, 0x00420000u, 2, 0xC0000000u));
  EXPECT_FALSE(ExtLib::GetDataDocumentRange(nullptr, 0x00420000u, 2, 0xC0000000u));
  // The stand-in's data document has no channel calculations.
  const auto data = TwoRecordDocument();
  EXPECT_FALSE(ExtLib::GetDataDocumentRange(static_cast<IHostDataDocument*>(data.Get()), 0x00420000u, 0, 0));
  // Every interface taken was given back.
  EXPECT_EQ(1, document.refs);
  EXPECT_EQ(1, document.calculation.refs);
}
