// The static class object of an enumerator class: its name, parameters and type id for the host.
#pragma once

#include "enumerators/framework/CalcEnumRegistry.h"
#include "hostapi/CalcEnumClass.h"
#include "hostclient/InterfaceMap.h"

#include <windows.h>

namespace CalcEnums {

// Answers ICalcEnumClass2 (and ILumoClassObject on the same part) and ICalcNumericParamsFuncClass
// from the registry row and table of one class; creation is left to CalcEnumClass2<T>.
// Class objects are static: AddRef and Release answer 1 and nothing is ever deleted.
class CalcEnumClassBase2 : public ICalcEnumClass2, public ICalcNumericParamsFuncClass {
 public:
  constexpr CalcEnumClassBase2(ClassInfoRow* row, const ClassTable* table) noexcept
      : mRow(row), mTable(table) {}
  CalcEnumClassBase2(const CalcEnumClassBase2&) = delete;
  CalcEnumClassBase2& operator=(const CalcEnumClassBase2&) = delete;

  const ClassInfoRow& Row() const noexcept { return *mRow; }
  const ClassTable& Table() const noexcept { return *mTable; }

  // IUnknown, shared by both parts.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 1; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }

  // ILumoClassObject
  HRESULT STDMETHODCALLTYPE GetTypeId(uint32_t* typeId) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCategory(const GUID** category) noexcept override;
  HRESULT STDMETHODCALLTYPE GetNameBstr(BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE IsCategory(const GUID* category) noexcept override;

  // ICalcEnumClass2
  HRESULT STDMETHODCALLTYPE GetName(QOR::IQORString** name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDescription(QOR::IQORString** description) noexcept override;
  HRESULT STDMETHODCALLTYPE GetFlags(uint32_t* flags) noexcept override;
  HRESULT STDMETHODCALLTYPE Reserved10(void** out) noexcept override;

  // ICalcNumericParamsFuncClass
  HRESULT STDMETHODCALLTYPE GetAliasCount(int32_t* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAlias(int32_t index, QOR::IQORString** alias) noexcept override;
  HRESULT STDMETHODCALLTYPE GetResultInfo(QOR::IQORString** name, uint32_t* typeId,
                                          int32_t* paramCount, int32_t* sourceCount,
                                          uint32_t* kindC, uint32_t* kindD) noexcept override;
  HRESULT STDMETHODCALLTYPE GetParamInfo(int32_t index, double* high, double* low, uint32_t* kind,
                                         QOR::IQORString** name) noexcept override;
  HRESULT STDMETHODCALLTYPE CheckParamKind(int32_t index, uint32_t kind) noexcept override;

  // The class's type id: fetched from the host type registry on first use, then cached in the row.
  uint32_t TypeId();

  QOR_BEGIN_INTERFACE_MAP(CalcEnumClassBase2)
    QOR_INTERFACE_ENTRY(ICalcEnumClass2, IID_ICalcEnumClass2)
    QOR_INTERFACE_ENTRY(ICalcEnumClass2, IID_ILumoClassObject)
    QOR_INTERFACE_ENTRY(ICalcNumericParamsFuncClass, IID_ICalcNumericParamsFuncClass)
  QOR_END_INTERFACE_MAP()

 protected:
  ~CalcEnumClassBase2() = default;

 private:
  ClassInfoRow* mRow;
  const ClassTable* mTable;
};

}  // namespace CalcEnums
