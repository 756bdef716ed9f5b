// ChannelCalcBase: the engine's creation and aggregation, the output format and output source.
#include "chancalc/ChannelCalcBase.h"

#include "base/String.h"
#include "chancalc/OutputFormat.h"
#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"
#include "hostapi/ClassRegistry.h"
#include "hostapi/HostProgress.h"
#include "hostclient/FrameworkAccess.h"
#include "hostclient/TypeIds.h"

namespace {

inline constexpr GUID kEngineClassGuid = kHostUiClassGuid;
using EngineTypeId = TypeIdClass<&kEngineClassGuid, kChannelCalcEngineNumber>;

}  // namespace

ChannelCalcBase::ChannelCalcBase(IHostDataDocument* context, ICalculationClass* calculationClass,
                                 int32_t outputChannel, uint32_t furtherValue) noexcept
    : mContext(context),
      mCalculationClass(calculationClass),
      mOutputChannel(outputChannel),
      mFurtherValue(furtherValue),
      mFormat(ZR::ChanCalc::DefaultOutputFormat()) {
  if (context) {
    ComPtr<IUnknown> dataObject;
    if (SUCCEEDED(context->GetDataObject(dataObject.Out())) && dataObject) {
      mDataObject = dataObject.Get();  // the context keeps the data object alive
      ComPtr<IHostDataFile> access;
      if (SUCCEEDED(dataObject->QueryInterface(IID_IHostDataFile, access.OutVoid()))) mDataAccess = access.Get();
    }
  }
  CreateEngine();
}

ChannelCalcBase::~ChannelCalcBase() {
  mOutputSource.Reset();
  mEngine.Reset();
}

// The engine is aggregated: the interface queried from it counts on this object, so the count
// is given back at once and the engine's own unknown alone keeps it.
void ChannelCalcBase::CreateEngine() noexcept {
  mEngine.Reset();
  mEngineInterface = nullptr;
  IClassRegistry* const factory = ObjectFactoryAccessor::Get();
  if (!factory) return;
  if (FAILED(factory->CreateInstance(EngineTypeId::Id(), static_cast<IChannelCalc*>(this), IID_IUnknown,
                                     mEngine.OutVoid())) ||
      !mEngine)
    return;
  void* engine = nullptr;
  if (SUCCEEDED(mEngine->QueryInterface(IID_IHostChannelCalcEngine, &engine)) && engine) {
    mEngineInterface = static_cast<IHostChannelCalcEngine*>(engine);
    Release();
  }
}

HRESULT STDMETHODCALLTYPE ChannelCalcBase::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IChannelCalc)) {
    *out = static_cast<IChannelCalc*>(this);
    AddRef();
    return S_OK;
  }
  if (!mEngine) return E_NOINTERFACE;
  return mEngine->QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE ChannelCalcBase::AddRef() noexcept {
  return static_cast<ULONG>(InterlockedIncrement(&mRefCount));
}

ULONG STDMETHODCALLTYPE ChannelCalcBase::Release() noexcept {
  const LONG count = InterlockedDecrement(&mRefCount);
  if (count != 0) return static_cast<ULONG>(count);
  mRefCount = 1;  // the engine's release during destruction must not reach zero again
  delete this;
  return 0;
}

HRESULT STDMETHODCALLTYPE ChannelCalcBase::GetTitle(uint32_t, QOR::IQORString** title) noexcept {
  if (title) *title = nullptr;
  return E_NOTIMPL;
}

HRESULT ChannelCalcBase::SetEnumeratorClass(uint32_t typeId) noexcept {
  mEnumeratorClass = typeId;
  IClassRegistry* const factory = ObjectFactoryAccessor::Get();
  if (!factory || !mEngineInterface) return E_FAIL;
  ComPtr<ICalcEnumClass2> enumClass;
  if (FAILED(factory->GetClassObject(typeId, IID_ICalcEnumClass2, enumClass.OutVoid())) || !enumClass)
    return E_FAIL;
  ComPtr<ICalcEnum> enumerator;
  const HRESULT hr = enumClass->CreateEnum(mDataObject, enumerator.Out());
  if (FAILED(hr)) return hr;
  return mEngineInterface->SetEnumerator(mCalculationClass, mOutputChannel, mFurtherValue, mContext,
                                         enumerator.Get());
}

void ChannelCalcBase::SetOutputRange(float top, float bottom, int32_t decimalPlaces, bool symmetric) noexcept {
  mOutputSource.Reset();
  mFormat = ZR::ChanCalc::OutputRangeFormat(top, bottom, decimalPlaces, symmetric);
}

HRESULT ChannelCalcBase::MakeOutput(const wchar_t* units, IUnknown** outputSource) noexcept {
  mOutputSource.Reset();
  if (!mContext) return E_FAIL;
  try {
    const QOR::String unitText(units);
    const HRESULT hr = mContext->CreateOutput(&mFormat, unitText.GetInterface(), 0, 0, mOutputSource.Out());
    mOutputSource.CopyTo(outputSource);
    return hr;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}
