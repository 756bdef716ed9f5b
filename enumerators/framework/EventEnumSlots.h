// The slots an enumerator written by hand on CalcEnumEventBase implements itself, listed once: such a class
// puts ZR_EVENT_ENUM_SLOTS in its public part and defines every slot the list declares.
#pragma once

#include <cstdint>

#include "enumerators/framework/CalcEnumEventBase.h"

// ICalcEnum, then IEnumEventEx; GetTimeBase is ICalcEnum slot 17 and IEnumEventEx slot 11 at once. Slots 12
// and 13 answer E_NOTIMPL.
#define ZR_EVENT_ENUM_SLOTS                                                                                          \
  HRESULT STDMETHODCALLTYPE LoadSettings(QOR::IQORString* text, uint32_t* kind) noexcept override;                  \
  HRESULT STDMETHODCALLTYPE SaveSettings(QOR::IQORString** text) noexcept override;                                 \
  HRESULT STDMETHODCALLTYPE Clone(IUnknown* reserved, ICalcEnum** clone) noexcept override;                         \
  HRESULT STDMETHODCALLTYPE SetSources(int32_t record, int32_t count, IUnknown** sources, IUnknown** units,          \
                                       double tickPeriod, uint32_t flags) noexcept override;                        \
  HRESULT STDMETHODCALLTYPE SetStartTick(int32_t tick) noexcept override;                                           \
  HRESULT STDMETHODCALLTYPE ResetCache() noexcept override;                                                         \
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return E_NOTIMPL; }                                    \
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return E_NOTIMPL; }                                    \
  HRESULT STDMETHODCALLTYPE GetValueUnits(double* value, IUnknown** units) noexcept override;                       \
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) noexcept override;                              \
  HRESULT STDMETHODCALLTYPE GetTimeBase(TimeBase* timeBase) noexcept override;                                      \
  HRESULT STDMETHODCALLTYPE Next(int32_t bufferBytes, int32_t endTick, void* buffer, int32_t* returned,             \
                                 int32_t* nextUnexaminedTick) noexcept override;                                    \
  HRESULT STDMETHODCALLTYPE Find(int32_t backward, int32_t tick, int32_t start, int32_t end) noexcept override;     \
  HRESULT STDMETHODCALLTYPE GetPosition(int32_t* tick) noexcept override;                                           \
  HRESULT STDMETHODCALLTYPE Clone(IEnumEventEx** clone) noexcept override;                                          \
  HRESULT STDMETHODCALLTYPE GetRecordSize(int32_t* bytes) noexcept override;                                        \
  HRESULT STDMETHODCALLTYPE GetEventType(uint32_t* typeId) noexcept override;
