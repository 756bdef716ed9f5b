// Kept fuzz inputs: every byte comes back as written, a bare file is an input, and the input running
// is on disk while it runs, before anything could end the process.
#include "bench/fuzz/FuzzKeep.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fuzz {
namespace {

std::string TempPath(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name;
}

TEST(FuzzKeep, InputsReadBackAsWritten) {
  const std::string path = TempPath("ondara-fuzz-keep.input");
  const KeptInput written{"settings", 101, 217713, "hang: running past 2000 ms", std::string("a\0\n\nbytes: 1\n", 14)};
  ASSERT_TRUE(WriteKeptFile(path, written));
  KeptInput read;
  ASSERT_TRUE(ReadKeptFile(path, &read));
  EXPECT_EQ(read.target, written.target);
  EXPECT_EQ(read.seed, written.seed);
  EXPECT_EQ(read.number, written.number);
  EXPECT_EQ(read.state, written.state);
  EXPECT_EQ(read.input, written.input);

  std::ofstream(path, std::ios::binary) << "cappeakdet(ch1,0.3)";  // a bare input, made by hand
  ASSERT_TRUE(ReadKeptFile(path, &read));
  EXPECT_EQ(read.input, "cappeakdet(ch1,0.3)");
  EXPECT_EQ(read.target, "");
  DeleteFileA(path.c_str());
  EXPECT_FALSE(ReadKeptFile(path, &read));
}

TEST(FuzzKeep, RunningInputIsOnDiskWhileItRuns) {
  const std::string path = TempPath("ondara-fuzz-keep-running.input");
  RunningInput running;
  ASSERT_TRUE(running.Open(path));
  running.Set("formula", 404, 7, std::string(3000, 'x'));
  running.Set("stream", 404, 8, std::string("\x02\0\xFF", 3));  // shorter than the one before
  running.MarkState("crash: unhandled exception 0xC0000005 at msvcrt.dll+0x59CCA");
  KeptInput read;
  ASSERT_TRUE(ReadKeptFile(path, &read));  // read through a handle of its own, while still mapped
  EXPECT_EQ(read.target, "stream");
  EXPECT_EQ(read.number, 8u);
  EXPECT_EQ(read.state, "crash: unhandled exception 0xC0000005 at msvcrt.dll+0x59CCA");
  EXPECT_EQ(read.input, std::string("\x02\0\xFF", 3));
  running.Close(true);
  ASSERT_TRUE(ReadKeptFile(path, &read));
  EXPECT_EQ(read.input, std::string("\x02\0\xFF", 3));
  ASSERT_TRUE(running.Open(path));
  running.Close(false);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace fuzz
