// The fuzzer's guard: each kind of failure is caught, named and left behind, and the next input runs
// as if nothing had happened.
#include "bench/fuzz/FuzzGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace fuzz {
namespace {

void Thrower() { throw std::runtime_error("escaped"); }
void (*volatile gThrow)() = &Thrower;
void CallsThrowerNoexcept() noexcept { gThrow(); }

volatile int* volatile gNowhere = nullptr;
volatile bool gForever = true;
char* volatile gKept = nullptr;

void AllocateHundredMegabytes() {
  gKept = new char[100u << 20];
  delete[] gKept;
}

TEST(FuzzGuard, CatchesEachFailureAndRecovers) {
  GuardLimits limits;
  limits.timeBoundMs = 300;
  limits.allocationBound = 64u << 20;
  InstallGuard(limits, {});
  struct Case {
    const char* name;
    std::function<void()> body;
    FailureKind kind;
    const char* detail;  // the start of the outcome's detail
  };
  const Case cases[] = {
      {"null write", [] { *gNowhere = 1; }, FailureKind::Crash, "exception 0xC0000005 at "},
      {"endless loop", [] { while (gForever) {} }, FailureKind::Hang, "running past 300 ms"},
      {"noexcept throw", [] { CallsThrowerNoexcept(); }, FailureKind::Exception, "terminate: "},
      {"abort", [] { std::abort(); }, FailureKind::Exception, "abort: "},
      {"exception let out", [] { throw std::length_error("long"); }, FailureKind::Exception, "St12length_error: long"},
      {"huge allocation", [] { AllocateHundredMegabytes(); }, FailureKind::Allocation, "allocation of 104857600"},
  };
  for (const Case& c : cases) {
    const GuardOutcome outcome = RunGuarded(c.body);
    EXPECT_EQ(outcome.kind, c.kind) << c.name << ": " << outcome.detail;
    EXPECT_EQ(outcome.detail.rfind(c.detail, 0), 0u) << c.name << ": " << outcome.detail;
    int sum = 0;
    EXPECT_EQ(RunGuarded([&] { sum = 1 + 2; }).kind, FailureKind::None) << "after " << c.name;
    EXPECT_EQ(sum, 3);
  }
  // An allocation past the bound that the input survives is still reported.
  const GuardOutcome survived = RunGuarded([] {
    try {
      AllocateHundredMegabytes();
    } catch (const std::bad_alloc&) {
    }
  });
  EXPECT_EQ(survived.kind, FailureKind::Allocation);
  EXPECT_EQ(survived.detail, "allocation of 104857600 bytes");
  EXPECT_TRUE(GuardUsable());
}

}  // namespace
}  // namespace fuzz
