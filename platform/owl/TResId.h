// OWL::TResId: a resource named by a number or by a string.
#pragma once

#include <windows.h>

#include <string>

namespace OWL {

class TResId {
 public:
  TResId(int id) noexcept : mId(id) {}
  // A MAKEINTRESOURCE value counts as a number.
  TResId(const wchar_t* name) {
    if (IS_INTRESOURCE(name)) mId = static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
    else mName = name;
  }

  bool IsString() const noexcept { return !mName.empty(); }
  int GetInt() const noexcept { return mId; }
  // For the resource functions.
  const wchar_t* GetPointerRepresentation() const noexcept {
    return IsString() ? mName.c_str() : MAKEINTRESOURCEW(mId);
  }
  operator const wchar_t*() const noexcept { return GetPointerRepresentation(); }

 private:
  int mId = 0;
  std::wstring mName;
};

}  // namespace OWL
