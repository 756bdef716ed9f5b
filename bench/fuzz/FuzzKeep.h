// Fuzz inputs kept on disk: the input running, in a file that outlives the process whatever ends
// it, and each failure's input; both in the one form --replay reads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace fuzz {

// An input as a file holds it. A file in another form is read as the bare input, target unknown.
struct KeptInput {
  std::string target;
  uint64_t seed = 0;
  uint64_t number = 0;  // its number in the run, from 0
  std::string state;    // "running", or what it did: "crash: exception 0xC0000005 at ..."
  std::string input;
};

// The file's text: a header of "name: value" lines, an empty line, then the input's bytes.
std::string KeptText(const KeptInput& kept);
// Reads a kept file (or a bare input); false when the file cannot be read.
bool ReadKeptFile(const std::string& path, KeptInput* kept);
bool WriteKeptFile(const std::string& path, const KeptInput& kept);

// The input running, written before it runs into a file mapped into memory: the file's pages are
// the system's, so a crash, a deadlock or the process being killed leaves it on disk. Set and
// MarkState allocate nothing, so MarkState may be called from a watchdog or an exception filter
// while the heap is in any state.
class RunningInput {
 public:
  RunningInput() = default;
  RunningInput(const RunningInput&) = delete;
  RunningInput& operator=(const RunningInput&) = delete;
  ~RunningInput() { Close(false); }

  bool Open(const std::string& path);
  bool IsOpen() const { return mView != nullptr; }
  const char* Path() const { return mPath; }
  void Set(const char* target, uint64_t seed, uint64_t number, const std::string& input);
  void MarkState(const char* state);
  // Unmaps the file, and deletes it unless it is kept.
  void Close(bool keep);

 private:
  HANDLE mFile = INVALID_HANDLE_VALUE;
  HANDLE mMapping = nullptr;
  char* mView = nullptr;
  size_t mSize = 0;
  size_t mUsed = 0;  // the header and input last Set: the file's length when it is kept
  char mPath[MAX_PATH] = {};
};

}  // namespace fuzz
