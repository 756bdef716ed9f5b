// The faulty enumerators: the real chain's answers, each broken in one way.
#include "tests/selfcheck/FaultyEnumerator.h"

#include "hostapi/CalcEnumClass.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/FrameworkAccess.h"
#include "tests/support/TestEnumClass.h"

#include <cstring>
#include <map>
#include <utility>

namespace selfcheck_faults {

namespace {

constexpr GUID kFaultyGuid = {0x7C51D0A2, 0x3B6E, 0x4F19, {0x8A, 0x47, 0x1D, 0x93, 0xE2, 0x5B, 0x60, 0xC8}};

ICalcEnum* MakeFaulty(IUnknown* dataContext, Fault fault, int32_t heldIndex) {
  if (fault == Fault::NoEnumerator) return nullptr;
  QOR::ComPtr<ICalcEnumClass2> formulaClass;
  IClassRegistry* const registry = ObjectFactoryAccessor::Get();
  if (!registry || FAILED(registry->GetClassObject(GetEventTypeId(), IID_ICalcEnumClass2, formulaClass.OutVoid())))
    return nullptr;
  QOR::ComPtr<ICalcEnum> chain;
  if (FAILED(formulaClass->CreateEnum(dataContext, chain.Out())) || !chain) return nullptr;
  return new FaultyEnumerator(std::move(chain), fault, heldIndex);
}

}  // namespace

uint32_t FaultyEnumClass(Fault fault, int32_t heldIndex) {
  // One class per fault and held index: the number in the type id tells them apart.
  static std::map<std::pair<Fault, int32_t>, uint32_t> classes;
  uint32_t& typeId = classes[{fault, heldIndex}];
  if (typeId == 0) {
    const uint16_t number = static_cast<uint16_t>(static_cast<uint16_t>(fault) * 100 + heldIndex);
    const std::wstring name = L"faulty" + std::to_wstring(number);
    typeId = testing_support::RegisterTestEnumClass(
        kFaultyGuid, number, name.c_str(),
        testing_support::TestEnumClass::ContextMaker(
            [fault, heldIndex](IUnknown* context) { return MakeFaulty(context, fault, heldIndex); }));
  }
  return typeId;
}

FaultyEnumerator::FaultyEnumerator(QOR::ComPtr<ICalcEnum> chain, Fault fault, int32_t heldIndex)
    : mChain(std::move(chain)), mFault(fault), mHeldIndex(heldIndex) {
  mChain->QueryInterface(IID_IEnumEventEx, mEvents.OutVoid());
}

void* FaultyEnumerator::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ICalcEnum)) return static_cast<ICalcEnum*>(this);
  if (IsEqualIID(iid, IID_IEnumEventEx)) return static_cast<IEnumEventEx*>(this);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE FaultyEnumerator::SetSources(int32_t record, int32_t count, IUnknown** sources,
                                                       IUnknown** units, double tickPeriod, uint32_t flags) noexcept {
  mOnline = (flags & kCalcEnumOnline) != 0;
  mHanded = 0;
  return mChain->SetSources(record, count, sources, units, tickPeriod, flags);
}

HRESULT STDMETHODCALLTYPE FaultyEnumerator::SetStartTick(int32_t tick) noexcept {
  mStartTick = tick;
  mFirstNext = true;
  return mChain->SetStartTick(tick);
}

HRESULT STDMETHODCALLTYPE FaultyEnumerator::GetPosition(int32_t* tick) noexcept {
  const HRESULT hr = mEvents->GetPosition(tick);
  if (mFault == Fault::PositionZero && tick) *tick = 0;
  return hr;
}

void FaultyEnumerator::DropHeldEvent(void* buffer, int32_t* returned) noexcept {
  const int32_t first = mHanded;
  mHanded += *returned;
  if (mHeldIndex < first || mHeldIndex >= mHanded) return;
  auto* const bytes = static_cast<unsigned char*>(buffer);
  const size_t at = static_cast<size_t>(mHeldIndex - first) * static_cast<size_t>(mRecordSize);
  const size_t end = static_cast<size_t>(*returned) * static_cast<size_t>(mRecordSize);
  std::memmove(bytes + at, bytes + at + mRecordSize, end - at - static_cast<size_t>(mRecordSize));
  --*returned;
}

HRESULT STDMETHODCALLTYPE FaultyEnumerator::Next(int32_t bytes, int32_t endTick, void* buffer, int32_t* returned,
                                                 int32_t* nextTick) noexcept {
  if (mRecordSize == 0) mEvents->GetRecordSize(&mRecordSize);  // known once the settings are loaded
  if (mFault == Fault::Stall) {
    *returned = 0;
    *nextTick = endTick == kEnumRecordEnd ? mStartTick : endTick;
    return S_OK;
  }
  if (mFault == Fault::StallFull) {
    std::memset(buffer, 0, static_cast<size_t>(bytes));
    *returned = mRecordSize > 0 ? bytes / mRecordSize : 0;
    *nextTick = 0;
    return S_OK;
  }
  HRESULT hr = mEvents->Next(bytes, endTick, buffer, returned, nextTick);
  const bool first = mFirstNext;
  mFirstNext = false;
  switch (mFault) {
    case Fault::FalseBeforeEnd:
      if (hr == S_OK) hr = S_FALSE;
      break;
    case Fault::LateAfterRestart:
      if (first && mStartTick > 0 && *returned > 0) ++static_cast<int32_t*>(buffer)[0];  // the record's tick
      break;
    case Fault::HoldBackOnline:
      if (mOnline) DropHeldEvent(buffer, returned);
      break;
    default:
      break;
  }
  return hr;
}

}  // namespace selfcheck_faults
