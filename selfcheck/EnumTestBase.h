// ETB: the base of the enumerator self-checks: the configuration each case runs with and the
// enumerator's record size.
#pragma once

#include "selfcheck/EnumTestConfig.h"
#include "selfcheck/UnitTestBase.h"

#include <cstdint>

namespace SelfCheck {

// The cases an enumerator self-check can list; each runs one check routine.
enum class EnumCase {
  DeterministicBounce,
  DeterministicFind,
  Bounce,
  Bounce2,
  NextOffline,
  NextOnline,
  OnlineOffline,
  Find,
  SetSources,
};

// The case's name: "DeterministicBounceTest", ..., "EventEnumTestSetSourcesMentavo".
const wchar_t* EnumCaseName(EnumCase kind) noexcept;

class ETB : public UnitTestBase {
 public:
  const EnumTestConfig& Config() const noexcept { return mConfig; }
  int32_t RecordSize() const noexcept { return mRecordSize; }

 protected:
  ETB() = default;

  // Every enumerator check has the same owner.
  void InitOwner() override;
  // Rebuilds mConfig and mRecordSize before every case.
  void Configure() override = 0;

  // Appends a case: the full name is className, "::" and the case's name; the weight 60.0.
  void AddEnumCase(const wchar_t* className, EnumCase kind, TestCase body);

  EnumTestConfig mConfig;
  int32_t mRecordSize = 0;
};

}  // namespace SelfCheck
