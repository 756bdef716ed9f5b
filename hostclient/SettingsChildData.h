// The module's settings interface on its child data of a host data file, and how it is found.
// Ownership: GetValues fills a caller's record; FindSettingsChildData hands out one reference.
#pragma once

#include "hostclient/ComPtr.h"

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace ZR {

// The pair of values the analysis run keeps with the data file: the analysed channel first.
// Each holds its marker until a run stores it.
struct SettingsValues {
  static constexpr int32_t kFirstDefault = static_cast<int32_t>(0x80000000u);
  static constexpr int32_t kSecondDefault = static_cast<int32_t>(0xC0000000u);
  int32_t first = kFirstDefault;
  int32_t second = kSecondDefault;
};
static_assert(sizeof(SettingsValues) == 8, "two 32-bit values");

// {1C174067-3BFE-4D44-910D-F6A3C72DD14B}
inline constexpr GUID IID_IZRSettingsChildData = {
    0x1C174067, 0x3BFE, 0x4D44, {0x91, 0x0D, 0xF6, 0xA3, 0xC7, 0x2D, 0xD1, 0x4B}};

struct IZRSettingsChildData : IUnknown {
  // Slot 3: writes both values into *values; S_OK.
  virtual HRESULT STDMETHODCALLTYPE GetValues(SettingsValues* values) = 0;
  // Slot 4: stores both values; S_OK.
  virtual HRESULT STDMETHODCALLTYPE SetValues(int32_t first, int32_t second) = 0;
};

// The class under which the host's type registry numbers the module's child data.
// {0B3A0FA4-326B-11DB-9639-00E08161165F}
inline constexpr GUID ChildDataGUID = {
    0x0B3A0FA4, 0x326B, 0x11DB, {0x96, 0x39, 0x00, 0xE0, 0x81, 0x61, 0x16, 0x5F}};

// The child data's type id (class index of ChildDataGUID << 16, number 0), fetched once.
uint32_t ChildDataTypeId() noexcept;

// The settings interface of the module's child data that the data file behind `dataFile` (any
// interface of the host's data-file object) keeps; null when there is no such file or child.
// Nothing is created: code below the analysis document only reads what a run stored.
QOR::ComPtr<IZRSettingsChildData> FindSettingsChildData(IUnknown* dataFile) noexcept;

// Reads the stored values into `values`; false, and `values` left as it was, when the file
// keeps no child data of the module.
bool ReadSettingsValues(IUnknown* dataFile, SettingsValues& values) noexcept;

}  // namespace ZR
