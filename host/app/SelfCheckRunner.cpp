// Listing and running the self-checks that modules registered with the unit-test service.
#include "host/app/SelfCheckRunner.h"

#include "host/common/HostPtr.h"
#include "host/common/HostString.h"

#include <string>

namespace ondara_host {

namespace {

std::wstring TakeText(QOR::IQORString* text) {
  const std::wstring result = host::StringText(text);
  if (text) text->Release();
  return result;
}

struct Tally {
  int passed = 0;
  int failed = 0;
};

// One check object: its owner, then each case listed or run.
void RunCheck(IUnitTest& check, uint32_t number, bool listOnly, std::FILE* out, Tally& tally) {
  check.Initialise();  // a check that cannot list its cases shows none
  QOR::IQORString* owner = nullptr;
  check.GetOwner(&owner);
  int32_t count = 0;
  if (FAILED(check.GetTestCount(&count))) count = 0;
  std::fwprintf(out, L"check %u (%ls): %d cases\n", number, TakeText(owner).c_str(), count);
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t index = static_cast<uint32_t>(i);
    QOR::IQORString* name = nullptr;
    check.GetTestName(index, &name);
    const std::wstring caseName = TakeText(name);
    if (listOnly) {
      double weight = 0.0;
      check.GetTestWeight(index, &weight);
      std::fwprintf(out, L"  %ls  (weight %g)\n", caseName.c_str(), weight);
      continue;
    }
    const HRESULT hr = check.RunTest(index);
    VARIANT_BOOL passed = VARIANT_FALSE;
    QOR::IQORString* message = nullptr;
    if (FAILED(check.GetResult(&passed, &message))) passed = VARIANT_FALSE;
    std::wstring text = TakeText(message);
    if (FAILED(hr) && text.empty()) text = L"RunTest failed: 0x" + std::to_wstring(static_cast<unsigned long>(hr));
    if (SUCCEEDED(hr) && passed != VARIANT_FALSE) {
      ++tally.passed;
      std::fwprintf(out, L"PASS %ls\n", caseName.c_str());
    } else {
      ++tally.failed;
      std::fwprintf(out, L"FAIL %ls\n    %ls\n", caseName.c_str(), text.c_str());
    }
  }
}

}  // namespace

int RunSelfChecks(IUnitTestService& service, bool listOnly, std::FILE* out) {
  uint32_t count = 0;
  if (FAILED(service.GetTestCount(&count))) count = 0;
  std::fwprintf(out, L"self-checks: %u\n", count);
  Tally tally;
  for (uint32_t i = 0; i < count; ++i) {
    host::HostPtr<IUnknown> object;
    host::HostPtr<IUnitTest> check;
    if (FAILED(service.GetTestAt(i, object.Out())) || !object ||
        FAILED(object->QueryInterface(IID_IUnitTest, reinterpret_cast<void**>(check.Out()))) || !check) {
      std::fwprintf(out, L"check %u: not a self-check\n", i + 1);
      ++tally.failed;
      continue;
    }
    RunCheck(*check.Get(), i + 1, listOnly, out, tally);
  }
  if (!listOnly) std::fwprintf(out, L"%d passed, %d failed\n", tally.passed, tally.failed);
  std::fflush(out);
  return tally.failed;
}

}  // namespace ondara_host
