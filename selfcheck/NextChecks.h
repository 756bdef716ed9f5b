// The next checks: the contract of IEnumEventEx::Next over a complete record and over a record
// that grows while it is sampled.
#pragma once

#include "selfcheck/EnumTestConfig.h"

#include <cstdint>

namespace SelfCheck {

// Each builds its own test document and enumerator from config; recordSize is the enumerator's
// record size in bytes. They return when the check passes and throw UnitTestException at the
// first failed assertion.
void CheckNextOffline(const EnumTestConfig& config, int32_t recordSize);
void CheckNextOnline(const EnumTestConfig& config, int32_t recordSize);

}  // namespace SelfCheck
