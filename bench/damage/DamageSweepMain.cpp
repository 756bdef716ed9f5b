// ondara-damage-sweep: damages two documents files in every way its families know, runs the host's
// documents reading over each variant and tells what came of them. No run may change a setting
// without a message: the program ends with status 1 when one did.
#include "bench/damage/DamageJudge.h"
#include "bench/damage/DamageVariants.h"
#include "bench/damage/DocumentsRun.h"
#include "host/data/RecordingReader.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace {

constexpr char kUsage[] =
    "usage: ondara-damage-sweep [--per-family N] [--seed S] [--keep DIR]\n"
    "  Damages two documents files (N variants of each byte family, default 2500, and every field\n"
    "  variant), runs each through the host's documents reading and prints the figures; --keep\n"
    "  writes the variants whose settings changed without a message to DIR.\n";

struct Options {
  size_t perFamily = 2500;
  uint64_t seed = 1;
  std::string keep;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return false;
    const char* const value = argv[++i];
    if (option == "--per-family") options.perFamily = std::strtoull(value, nullptr, 10);
    else if (option == "--seed") options.seed = std::strtoull(value, nullptr, 10);
    else if (option == "--keep") options.keep = value;
    else return false;
  }
  return true;
}

// Two channels (a beating membrane potential and a current) in two records of 3 s at 1 kHz.
host::Recording SweepRecording() {
  std::string text = "Time [s],Vm [mV],Im [pA]\n";
  for (int record = 0; record < 2; ++record) {
    if (record > 0) text += "\n";
    for (int tick = 0; tick < 3000; ++tick) {
      const double phase = std::fmod(tick / 800.0, 1.0);
      const double vm = -80.0 + (phase < 0.3 ? 110.0 * std::exp(-phase * 10.0) : 0.0);
      char line[64];
      std::snprintf(line, sizeof line, "%.3f,%.3f,%.3f\n", tick / 1000.0, vm, 5.0 * std::sin(tick / 50.0));
      text += line;
    }
  }
  return host::ParseRecordingText(text, "sweep.csv", {});
}

std::wstring ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"ondara-damage-sweep-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

struct Counts {
  std::map<std::string, std::map<sweep::Verdict, size_t>> byFamily;
  std::map<sweep::Verdict, size_t> total;
  size_t variants = 0;
};

void Report(const Counts& counts) {
  std::printf("%zu variants of 2 documents files\n", counts.variants);
  for (const auto& [verdict, n] : counts.total) std::printf("  %-36s %zu\n", sweep::VerdictName(verdict), n);
  std::printf("by family:\n");
  for (const auto& [family, verdicts] : counts.byFamily) {
    std::printf("  %-8s", family.c_str());
    for (const auto& [verdict, n] : verdicts) std::printf("  %s %zu;", sweep::VerdictName(verdict), n);
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  sweep::DocumentsRun run;
  if (!run.Start(SweepRecording(), ScratchFolder())) {
    std::fputs("the stand-in host did not start: Ondara.dll or Lumo.dll is missing beside the program\n", stderr);
    return 3;
  }
  // A cardiac analysis of channel 1, and a peak detection of channel 2 after channel 1 had a group
  // (its detection settings typed as the README gives them, naming channel 1).
  const std::vector<uint8_t> files[] = {
      run.MakeFile({{2000, L"1"}, {1036, L"f"}, {1006, L"0.0005"}, {1001, L"10"}, {32, L"t"}}),
      run.MakeFile({{2000, L"0"}, {2001, L"1"}, {1010, L"1 0 -1 0.5 5 10 50 1 0 0"}, {1040, L"0.25"}, {1037, L"2"},
                    {1011, L"50"}, {2002, L"f"}}),
  };
  const sweep::DocumentsImage defaults = sweep::DecodeDocuments(run.MakeFile({{2001, L"1"}}));
  Counts counts;
  size_t kept = 0;
  for (const std::vector<uint8_t>& file : files) {
    const sweep::DocumentsImage original = sweep::DecodeDocuments(file);
    const sweep::Judgement itself = sweep::Judge(run.Run(file), original, original, defaults);
    if (!original.whole || !defaults.whole || itself.verdict != sweep::Verdict::kUnchanged) {
      std::fprintf(stderr, "an undamaged file does not come back unchanged: %s\n", itself.why.c_str());
      return 3;
    }
    for (const sweep::Variant& variant : sweep::MakeVariants(file, options.perFamily, options.seed)) {
      const sweep::Judgement judged =
          sweep::Judge(run.Run(variant.bytes), original, sweep::DecodeDocuments(variant.bytes), defaults);
      ++counts.variants;
      ++counts.total[judged.verdict];
      ++counts.byFamily[variant.family][judged.verdict];
      if (judged.verdict != sweep::Verdict::kSilent && judged.verdict != sweep::Verdict::kRefusedWithoutWords) continue;
      std::fprintf(stderr, "%s: %s: %s\n", sweep::VerdictName(judged.verdict), variant.what.c_str(), judged.why.c_str());
      if (options.keep.empty()) continue;
      std::ofstream(options.keep + "/variant-" + std::to_string(++kept) + ".documents", std::ios::binary)
          .write(reinterpret_cast<const char*>(variant.bytes.data()), static_cast<std::streamsize>(variant.bytes.size()));
    }
  }
  Report(counts);
  return counts.total.count(sweep::Verdict::kSilent) || counts.total.count(sweep::Verdict::kRefusedWithoutWords) ? 1 : 0;
}
