// ZR::Doc::ZRSetting: one analysis setting, addressed by its id, with its text form.
#pragma once

#include "base/String.h"
#include "document/SettingIds.h"

#include <cstdint>

namespace ZR::Doc {

// Value kinds (5 is not used).
enum SettingKind : int32_t {
  kSettingBool = 0,
  kSettingInt = 1,
  kSettingInt10 = 2,
  kSettingLong = 3,
  kSettingDouble = 4,
  kSettingDetectionSet = 6,
};

// Bit t of a type mask: the setting applies to analysis type t (0 to 5).
constexpr int32_t TypeBit(int type) noexcept { return int32_t{1} << type; }

class ZRSetting {
 public:
  ZRSetting(SettingId id, int32_t kind, int32_t page, int32_t typeMask) noexcept
      : mId(id), mKind(kind), mPage(page), mTypeMask(typeMask) {}
  ZRSetting(const ZRSetting&) = delete;
  ZRSetting& operator=(const ZRSetting&) = delete;
  virtual ~ZRSetting() = default;

  // Whether the value keeps the setting's rules.
  virtual bool IsValid() const { return false; }
  // The value as text; classic selects the "C" locale for numbers (every persisted or copied
  // text uses it).
  virtual QOR::String ToText(bool classic) const;
  // Sets the value from text without validating it: a number out of bounds is stored as read
  // and only IsValid reports it; a text that does not parse leaves the value as it was.
  virtual void FromText(const QOR::String& text, bool classic);
  virtual void ResetToDefault() {}
  virtual double AsDouble() const { return 0.0; }
  // Takes the other setting's value directly when it can; false asks the caller to copy
  // through text.
  virtual bool CopyFrom(const ZRSetting& other);

  SettingId Id() const noexcept { return mId; }
  int32_t Kind() const noexcept { return mKind; }
  int32_t Page() const noexcept { return mPage; }
  int32_t TypeMask() const noexcept { return mTypeMask; }
  bool AppliesTo(int type) const noexcept {
    return type >= 0 && type < 6 && (mTypeMask & TypeBit(type)) != 0;
  }

 protected:
  // For a class that refines another's rules (an int that must be a multiple of 10).
  void SetKind(int32_t kind) noexcept { mKind = kind; }

 private:
  SettingId mId;
  int32_t mKind;
  int32_t mPage;
  int32_t mTypeMask;
};

}  // namespace ZR::Doc
