// The host's progress object as the module starts it: mode and style 1, three texts.
#include "hostclient/HostProgress.h"

#include "host/app/HostFramework.h"
#include "host/app/HostProgress.h"

#include <gtest/gtest.h>

namespace {

class HostProgressTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }
  void SetUp() override { host::Progress() = host::ProgressLog{}; }
  void TearDown() override { host::Progress() = host::ProgressLog{}; }
};

TEST_F(HostProgressTest, StartsWithModeAndStyleOneAndTheThreeTexts) {
  {
    const ComPtr<IHostProgress> progress = CreateHostProgress(L"Processing", L"Block 1", L"detail");
    ASSERT_TRUE(progress);
    EXPECT_EQ(1, host::Progress().live);
  }
  EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{1, 1}}), host::Progress().modes);
  EXPECT_EQ(std::vector<std::wstring>{L"Processing"}, host::Progress().titles);
  EXPECT_EQ(std::vector<std::wstring>{L"Block 1"}, host::Progress().texts);
  EXPECT_EQ(std::vector<std::wstring>{L"detail"}, host::Progress().details);
  EXPECT_EQ(0, host::Progress().live);
}

TEST_F(HostProgressTest, NullWhenTheHostShowsNoProgress) {
  host::Progress().unavailable = true;
  EXPECT_FALSE(CreateHostProgress(L"Processing", nullptr, nullptr));
  EXPECT_EQ(0, host::Progress().live);
}

}  // namespace
