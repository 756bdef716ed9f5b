// The fuzzer's guard: each kind of failure is caught, named and left behind, and the next input runs
// as if nothing had happened; after a hang nothing runs on.
#include "bench/fuzz/FuzzGuard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace fuzz {
namespace {

void Thrower() { throw std::runtime_error("escaped"); }
void (*volatile gThrow)() = &Thrower;
void CallsThrowerNoexcept() noexcept { gThrow(); }

volatile int* volatile gNowhere = nullptr;
volatile bool gForever = true;
char* volatile gKept = nullptr;

FailureKind gHookKind = FailureKind::None;
std::string gHookDetail;
void RecordHook(FailureKind kind, const char* detail) {
  gHookKind = kind;
  gHookDetail = detail;
}

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
  // Processor time makes a hang: a machine too busy to give the input its time makes none.
  const Case cases[] = {
      {"null write", [] { *gNowhere = 1; }, FailureKind::Crash, "exception 0xC0000005 at "},
      {"slowed down", [] { Sleep(700); }, FailureKind::None, ""},
      {"endless loop", [] { while (gForever) {} }, FailureKind::Hang, "running past 300 ms of processor time, at "},
      {"endless wait", [] { while (gForever) Sleep(5); }, FailureKind::Hang, "waiting past 3000 ms, at "},
      {"noexcept throw", [] { CallsThrowerNoexcept(); }, FailureKind::Exception, "terminate: "},
      {"abort", [] { std::abort(); }, FailureKind::Exception, "abort: "},
      {"exception let out", [] { throw std::length_error("long"); }, FailureKind::Exception, "St12length_error: long"},
      {"huge allocation", [] { AllocateHundredMegabytes(); }, FailureKind::Allocation, "allocation of 104857600"},
  };
  SetFailureHook(&RecordHook);
  for (const Case& c : cases) {
    gHookKind = FailureKind::None;
    const GuardOutcome outcome = RunGuarded(c.body);
    EXPECT_EQ(outcome.kind, c.kind) << c.name << ": " << outcome.detail;
    EXPECT_EQ(outcome.detail.rfind(c.detail, 0), 0u) << c.name << ": " << outcome.detail;
    // The thread was stopped wherever it was: the hook hears of it first, and the guard is spent.
    const bool hang = c.kind == FailureKind::Hang;
    EXPECT_EQ(gHookKind, hang ? FailureKind::Hang : FailureKind::None) << c.name;
    EXPECT_EQ(GuardUsable(), !hang) << c.name;
    if (hang) {
      EXPECT_EQ(gHookDetail, outcome.detail) << c.name;
      InstallGuard(limits, {});
    }
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
  SetFailureHook(nullptr);
}

}  // namespace
}  // namespace fuzz
