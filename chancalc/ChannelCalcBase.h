// ChannelCalcBase: a host channel calculation that aggregates the host's engine, which produces
// the channel's samples; interfaces it does not implement itself are the engine's.
#pragma once

#include "hostapi/ChannelCalc.h"
#include "hostapi/DataDocument.h"
#include "hostapi/DataFile.h"
#include "hostclient/ComPtr.h"

#include <cstdint>

class ChannelCalcBase : public IChannelCalc {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HRESULT STDMETHODCALLTYPE GetTitle(uint32_t unused, QOR::IQORString** title) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved10(uint32_t) noexcept override { return S_OK; }

  // Makes an enumerator of the class (type id) over the data object and hands it to the engine;
  // E_FAIL without the class object or the engine.
  HRESULT SetEnumeratorClass(uint32_t typeId) noexcept;
  // The output format that maps bottom and top to raw -32000 and +32000; the output source is
  // dropped until the next Setup.
  void SetOutputRange(float top, float bottom, int32_t decimalPlaces, bool symmetric) noexcept;

  const ChannelCalcFormat& OutputFormat() const noexcept { return mFormat; }
  IHostChannelCalcEngine* Engine() const noexcept { return mEngineInterface; }

 protected:
  // context may be null (nothing is asked of it then); calculationClass is not counted.
  ChannelCalcBase(IHostDataDocument* context, ICalculationClass* calculationClass, int32_t outputChannel,
                  uint32_t furtherValue) noexcept;
  virtual ~ChannelCalcBase();
  ChannelCalcBase(const ChannelCalcBase&) = delete;
  ChannelCalcBase& operator=(const ChannelCalcBase&) = delete;

  // Creates the output source from the format and unit text and returns it with a reference.
  HRESULT MakeOutput(const wchar_t* units, IUnknown** outputSource) noexcept;

  IUnknown* DataObject() const noexcept { return mDataObject; }
  IHostDataFile* DataAccess() const noexcept { return mDataAccess; }
  IHostDataDocument* Context() const noexcept { return mContext; }
  int32_t OutputChannel() const noexcept { return mOutputChannel; }
  uint32_t FurtherValue() const noexcept { return mFurtherValue; }
  ChannelCalcFormat& Format() noexcept { return mFormat; }

 private:
  void CreateEngine() noexcept;

  volatile LONG mRefCount = 1;
  ComPtr<IUnknown> mEngine;  // the engine's non-delegating unknown
  IHostChannelCalcEngine* mEngineInterface = nullptr;  // not counted: it would count on this object
  IUnknown* mDataObject = nullptr;  // not counted, as the host keeps it while the calculation lives
  IHostDataFile* mDataAccess = nullptr;
  IHostDataDocument* mContext = nullptr;
  ICalculationClass* mCalculationClass = nullptr;
  int32_t mOutputChannel = 0;
  uint32_t mFurtherValue = 0;
  ChannelCalcFormat mFormat;
  ComPtr<IUnknown> mOutputSource;
  uint32_t mEnumeratorClass = 0;
};
