// The common base of the module's enumerators: the two host interfaces on one reference count, the data
// context and the class object that made the enumerator.
#pragma once

#include <cstdint>

#include "hostapi/CalcEnum.h"
#include "hostapi/CalcEnumClass.h"
#include "hostclient/ComObjectRoot.h"

namespace CalcEnums {

// ICalcEnum is the first part and answers IUnknown; IEnumEventEx the second. The count starts at 1 (the
// creator's reference) and the last Release deletes the object.
class CalcEnumEventBase
    : public QOR::SimpleUnknownImp2<ICalcEnum, IID_ICalcEnum, IEnumEventEx, IID_IEnumEventEx> {
 public:
  // ICalcEnum slots every enumerator answers alike.
  HRESULT STDMETHODCALLTYPE GetSourceInfo(uint32_t* typeId) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDataSource(IUnknown** classObject) noexcept override;
  HRESULT STDMETHODCALLTYPE GetParamKind(int32_t index, int32_t which, uint32_t* kind) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved12() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Reserved13() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCapabilities(uint32_t* capabilities) noexcept override;
  HRESULT STDMETHODCALLTYPE GetResultKind(uint32_t* kind) noexcept override;

  // IEnumEventEx slots no enumerator implements.
  HRESULT STDMETHODCALLTYPE Reserved6(void** out) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved10(void** out) noexcept override;

  IUnknown* DataContext() const noexcept { return mDataContext; }
  ICalcEnumClass2* ClassObject() const noexcept { return mClassObject; }

 protected:
  // dataContext is kept as given (not counted); class objects are static and never die.
  CalcEnumEventBase(IUnknown* dataContext, ICalcEnumClass2* classObject) noexcept
      : SimpleUnknownImp2(1), mDataContext(dataContext), mClassObject(classObject) {}
  ~CalcEnumEventBase() override = default;

  // The event type id of a draw class number: the draw classes' class index << 16 | number.
  static uint32_t EventTypeId(uint32_t number);

 private:
  IUnknown* mDataContext;
  ICalcEnumClass2* mClassObject;
};

}  // namespace CalcEnums
