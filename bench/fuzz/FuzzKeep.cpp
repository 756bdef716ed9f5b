// Kept fuzz inputs: their file form, and the input running in a mapped file.
#include "bench/fuzz/FuzzKeep.h"

#include "bench/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fuzz {

namespace {

constexpr char kMagic[] = "ondara-fuzz input\n";
constexpr char kStateName[] = "state: ";
// The running file's state is padded to this width, so that it can be rewritten in place.
constexpr size_t kStateWidth = 200;
constexpr size_t kHeaderRoom = 512;

std::string TrimmedEnd(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Reads the header's lines into kept; the offset of the input, or npos when the header has no end.
size_t ReadHeader(const std::string& text, KeptInput* kept, size_t* bytes) {
  size_t at = sizeof kMagic - 1;
  for (;;) {
    const size_t end = text.find('\n', at);
    if (end == std::string::npos) return std::string::npos;
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    if (line.empty()) return at;
    const size_t colon = line.find(": ");
    if (colon == std::string::npos) continue;
    const std::string name = line.substr(0, colon);
    const std::string value = TrimmedEnd(line.substr(colon + 2));
    if (name == "target") kept->target = value;
    else if (name == "state") kept->state = value;
    else if (name == "seed") kept->seed = std::strtoull(value.c_str(), nullptr, 10);
    else if (name == "number") kept->number = std::strtoull(value.c_str(), nullptr, 10);
    else if (name == "bytes") *bytes = static_cast<size_t>(std::strtoull(value.c_str(), nullptr, 10));
  }
}

// The header with the state padded to its fixed width; no allocation.
int WriteHeader(char* out, size_t size, const char* state, const char* target, uint64_t seed, uint64_t number,
                size_t bytes) {
  return std::snprintf(out, size, "%s%s%-*.*s\ntarget: %s\nseed: %llu\nnumber: %llu\nbytes: %lu\n\n", kMagic,
                       kStateName, static_cast<int>(kStateWidth), static_cast<int>(kStateWidth), state, target,
                       static_cast<unsigned long long>(seed), static_cast<unsigned long long>(number),
                       static_cast<unsigned long>(bytes));
}

}  // namespace

std::string KeptText(const KeptInput& kept) {
  char header[kHeaderRoom + kStateWidth];
  const int length = WriteHeader(header, sizeof header, kept.state.c_str(), kept.target.c_str(), kept.seed,
                                 kept.number, kept.input.size());
  return std::string(header, static_cast<size_t>(std::max(length, 0))) + kept.input;
}

bool ReadKeptFile(const std::string& path, KeptInput* kept) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  *kept = KeptInput();
  if (text.compare(0, sizeof kMagic - 1, kMagic) != 0) {
    kept->input = text;
    return true;
  }
  size_t bytes = std::string::npos;
  const size_t at = ReadHeader(text, kept, &bytes);
  if (at == std::string::npos) return false;
  kept->input = text.substr(at, bytes);
  return true;
}

bool WriteKeptFile(const std::string& path, const KeptInput& kept) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::string text = KeptText(kept);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

bool RunningInput::Open(const std::string& path) {
  Close(false);
  if (path.size() >= sizeof mPath) return false;
  std::strcpy(mPath, path.c_str());
  mSize = kHeaderRoom + kStateWidth + kMaxInputBytes;
  mFile = CreateFileA(mPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mFile == INVALID_HANDLE_VALUE) return false;
  mMapping = CreateFileMappingA(mFile, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(mSize), nullptr);
  if (mMapping) mView = static_cast<char*>(MapViewOfFile(mMapping, FILE_MAP_WRITE, 0, 0, mSize));
  if (mView) return true;
  Close(false);
  return false;
}

void RunningInput::Set(const char* target, uint64_t seed, uint64_t number, const std::string& input) {
  if (!mView) return;
  const size_t room = mSize - kHeaderRoom - kStateWidth;
  const size_t bytes = std::min(input.size(), room);  // longer than any input a run makes
  const int length = WriteHeader(mView, kHeaderRoom + kStateWidth, "running", target, seed, number, bytes);
  if (length <= 0) return;
  std::memcpy(mView + length, input.data(), bytes);
  mUsed = static_cast<size_t>(length) + bytes;
}

void RunningInput::MarkState(const char* state) {
  if (!mView) return;
  char* const field = mView + (sizeof kMagic - 1) + (sizeof kStateName - 1);
  size_t i = 0;
  for (; i < kStateWidth && state[i]; ++i) field[i] = state[i] == '\n' ? ' ' : state[i];
  for (; i < kStateWidth; ++i) field[i] = ' ';
}

void RunningInput::Close(bool keep) {
  if (mView) UnmapViewOfFile(mView);
  if (mMapping) CloseHandle(mMapping);
  if (mFile != INVALID_HANDLE_VALUE) {
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(mUsed);
    if (keep && mUsed > 0 && SetFilePointerEx(mFile, end, nullptr, FILE_BEGIN)) SetEndOfFile(mFile);  // as written
    CloseHandle(mFile);
    if (!keep) DeleteFileA(mPath);
  }
  mView = nullptr;
  mMapping = nullptr;
  mFile = INVALID_HANDLE_VALUE;
  mUsed = 0;
}

}  // namespace fuzz
