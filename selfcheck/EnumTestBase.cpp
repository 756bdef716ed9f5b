// ETB: case names and the owner of the enumerator self-checks.
#include "selfcheck/EnumTestBase.h"

#include <utility>

namespace SelfCheck {

namespace {

constexpr double kCaseWeight = 60.0;

}  // namespace

const wchar_t* EnumCaseName(EnumCase kind) noexcept {
  switch (kind) {
    case EnumCase::DeterministicBounce: return L"DeterministicBounceTest";
    case EnumCase::DeterministicFind: return L"DeterministicFindTest";
    case EnumCase::Bounce: return L"EventEnumBounceTest";
    case EnumCase::Bounce2: return L"EventEnumBounceTest2";
    case EnumCase::NextOffline: return L"EventEnumTestNextOffline";
    case EnumCase::NextOnline: return L"EventEnumTestNextOnline";
    case EnumCase::OnlineOffline: return L"EventEnumOnlineOfflineComparison";
    case EnumCase::Find: return L"EventEnumTestFind";
    case EnumCase::SetSources: return L"EventEnumTestSetSourcesMentavo";
  }
  return L"";
}

void ETB::InitOwner() { SetOwner(QOR::String(L"Ondara enumerator maintainers")); }

void ETB::AddEnumCase(const wchar_t* className, EnumCase kind, TestCase body) {
  QOR::String fullName(className);
  fullName.Append(L"::");
  fullName.Append(EnumCaseName(kind));
  AddTestCase(std::move(body), fullName, kCaseWeight);
}

}  // namespace SelfCheck
