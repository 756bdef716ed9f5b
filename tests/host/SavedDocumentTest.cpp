// The analysis document kept with a recording (analyze --documents): opened again, it analyses
// as it did when it was saved.
#include "tests/support/HostProcess.h"

#include "host/app/HostFramework.h"
#include "host/common/MessageText.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using testsupport::RunHost;
using testsupport::RunResult;

class SavedDocument : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { sRecording = testsupport::WriteCardiacRecording(); }
  static void TearDownTestSuite() { DeleteFileW(sRecording.c_str()); }
  static std::wstring sRecording;
};
std::wstring SavedDocument::sRecording;

std::string Utf8(const std::wstring& text) { return host::Utf8FromWide(text); }

std::string Rows(const std::string& output) { return output.substr(0, output.find("\r\n\r\n")); }

// Every analysis type, the peak-detector types (0 and 2) among them, whose detector lives in
// the host's detection settings of the channel: the document opened from the file without any
// option gives the rows of the run that saved it.
TEST_P(SavedDocument, ReopenedDocumentGivesTheSameRows) {
  ASSERT_TRUE(testsupport::HostBuilt());
  ASSERT_FALSE(sRecording.empty());
  const std::wstring documents = sRecording + L"." + std::to_wstring(GetParam()) + L".documents";
  DeleteFileW(documents.c_str());
  const std::wstring analyze = L"analyze --recording \"" + sRecording + L"\" --table --documents \"" + documents + L"\"";
  RunResult first;
  ASSERT_TRUE(RunHost(analyze + L" --type " + std::to_wstring(GetParam()), first));
  ASSERT_EQ(0u, first.exitCode) << first.output;
  RunResult reopened;
  ASSERT_TRUE(RunHost(analyze, reopened));
  DeleteFileW(documents.c_str());
  EXPECT_EQ(0u, reopened.exitCode) << reopened.output;
  EXPECT_EQ(first.output, reopened.output);
  if (GetParam() == 0 || GetParam() == 2) {
    EXPECT_NE(std::string::npos, Rows(first.output).find("\r\n1\t")) << first.output;
  }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, SavedDocument, ::testing::Range(0, 6));

std::vector<char> FileBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int32_t Word(const std::vector<char>& bytes, size_t at) {
  int32_t word = 0;
  if (at + 4 <= bytes.size()) std::memcpy(&word, bytes.data() + at, 4);
  return word;
}

uint32_t WordAt(const std::vector<char>& bytes, size_t at) { return static_cast<uint32_t>(Word(bytes, at)); }

void PutWord(std::vector<char>& bytes, size_t at, uint32_t word) { std::memcpy(bytes.data() + at, &word, 4); }

// The documents file (one document) with the text of the first record of setting id replaced:
// the record (0, id, wide-string tag, units, -units, the text and its NUL) and the document's
// stream size are rewritten as the host would have written them. The file opens with its magic,
// version, count and the class name's length.
std::vector<char> WithSettingText(std::vector<char> bytes, int32_t id, const std::wstring& text) {
  const size_t sizeAt = 16 + 2 * WordAt(bytes, 12);
  const int32_t head[] = {0, id, static_cast<int32_t>(0x80000001u)};
  const char* const pattern = reinterpret_cast<const char*>(head);
  const auto record = std::search(bytes.begin() + sizeAt, bytes.end(), pattern, pattern + sizeof head);
  if (record == bytes.end()) return {};
  const size_t at = static_cast<size_t>(record - bytes.begin()) + sizeof head;
  const uint32_t oldUnits = WordAt(bytes, at);
  std::vector<char> written(8 + 2 * (text.size() + 1), '\0');
  PutWord(written, 0, static_cast<uint32_t>(text.size() + 1));
  PutWord(written, 4, static_cast<uint32_t>(-static_cast<int32_t>(text.size() + 1)));
  for (size_t i = 0; i < text.size(); ++i) std::memcpy(written.data() + 8 + 2 * i, &text[i], 2);
  bytes.erase(bytes.begin() + at, bytes.begin() + at + 8 + 2 * oldUnits);
  bytes.insert(bytes.begin() + at, written.begin(), written.end());
  PutWord(bytes, sizeAt, WordAt(bytes, sizeAt) + static_cast<uint32_t>(written.size()) - (8 + 2 * oldUnits));
  return bytes;
}

// Where the grid's column state (2, n, the map, the widths, 1337) ends: the end marker followed
// by the significant figures' record (-1, 2); columns gets n. 0 when there is none.
size_t ColumnStateEnd(const std::vector<char>& bytes, size_t& columns) {
  for (size_t at = bytes.size() - 12; at >= 4; at -= 4) {
    if (Word(bytes, at) != 1337 || Word(bytes, at + 4) != -1 || Word(bytes, at + 8) != 2) continue;
    for (columns = 1; 8 * columns + 8 <= at; ++columns)
      if (Word(bytes, at - 8 * columns - 8) == 2 && Word(bytes, at - 8 * columns - 4) == static_cast<int32_t>(columns))
        return at;
  }
  return 0;
}

// A documents file this build cannot take whole is refused in one line naming the file and what
// is wrong, with status 2, and left as it was; it used to load and be saved back in this build's
// layout, losing what another version held. Every value is checked as --set checks it: one refused
// names the setting and the value (a long value cut to 40 characters with its length).
TEST_F(SavedDocument, FileThisBuildCannotTakeWholeIsNamedAndKept) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring documents = sRecording + L".refused.documents";
  const std::wstring analyze = L"analyze --recording \"" + sRecording + L"\" --table --documents \"" + documents + L"\"";
  RunResult saved;
  ASSERT_TRUE(RunHost(analyze + L" --type 1 --set 1036=f --show table", saved));
  ASSERT_EQ(0u, saved.exitCode) << saved.output;
  const std::vector<char> bytes = FileBytes(documents);
  // "ONDV", the version, the count, the class name's length and units, the stream's byte count;
  // the stream's own version follows its header word.
  const size_t streamVersion = 16 + 2 * static_cast<size_t>(Word(bytes, 12)) + 8;
  // The grid's map (0, 1, ..., n-1), and the first column's 4 significant figures after it.
  size_t columns = 0;
  const size_t stateEnd = ColumnStateEnd(bytes, columns);
  ASSERT_GT(stateEnd, 0u);
  ASSERT_GE(columns, 4u);
  const size_t map = stateEnd - 8 * columns;
  ASSERT_EQ(4, Word(bytes, stateEnd + 20));
  const auto words = [](size_t at, std::vector<int32_t> written) {
    return [at, written](std::vector<char> damaged) {
      std::memcpy(damaged.data() + at, written.data(), 4 * written.size());
      return damaged;
    };
  };
  const auto setting = [](int32_t id, std::wstring text) {
    return [id, text](const std::vector<char>& good) { return WithSettingText(good, id, text); };
  };
  // Where a record of setting id starts (0, id, the text's tag); the channel group's head (channel,
  // version, count) stands before its first record, 1005; the store's version before 347.
  const auto recordAt = [&](int32_t id) {
    const int32_t head[] = {0, id, static_cast<int32_t>(0x80000001u)};
    const char* const pattern = reinterpret_cast<const char*>(head);
    return static_cast<size_t>(std::search(bytes.begin(), bytes.end(), pattern, pattern + sizeof head) - bytes.begin());
  };
  const size_t group = recordAt(1005) - 12;
  const size_t store = streamVersion + 4 * 7;  // after two placements without a rectangle
  ASSERT_EQ(347, Word(bytes, store + 4));
  const std::string held = "setting ";
  const struct {
    std::function<std::vector<char>(const std::vector<char>&)> damage;
    std::string refusal;
  } cases[] = {
      {words(4, {2}), "it is of unknown version 2"},
      {words(streamVersion, {2}), "its analysis settings are of unknown version 2"},
      {words(streamVersion, {0}), "its analysis settings are of unknown version 0"},
      {words(streamVersion, {-5}), "its analysis settings are of unknown version -5"},
      // A column dragged before the row numbers, which no drag can do, and one flipped bit.
      {words(map, {3, 0, 1, 2}), "its Table View's column layout is damaged"},
      {words(stateEnd + 20, {4 | 0x4000}), "its Table View's significant figures are damaged"},
      // A bit of a measurement flipped, and the keys of two columns swapped: a column would show
      // another's figures, or whole numbers without a summary.
      {words(stateEnd + 24, {Word(bytes, stateEnd + 12) ^ 1}), "its Table View's significant figures are damaged"},
      {[&](std::vector<char> damaged) {
         std::swap(damaged[stateEnd + 12], damaged[stateEnd + 28]);
         return damaged;
       },
       "its Table View's significant figures are damaged"},
      {setting(1011, L"-40"), held + "1011 of its analysis settings holds \"-40\": this setting takes a multiple of 10 from 0 to 100"},
      {setting(1001, L"1\x2030"), held + "1001 of its analysis settings holds \"1\xE2\x80\xB0\": not a number"},
      {setting(1007, L"-2147483649"), held + "1007 of its analysis settings holds \"-2147483649\": The Detection Start must be "
                                             "in the range 0 to 99999 ms after the stimulus artifact."},
      {setting(2001, L"-1"), held + "2001 of its analysis settings holds \"-1\": this setting takes a whole number from 0 to 32"},
      {setting(1010, L"abc"), held + "1010 of its analysis settings holds \"abc\": not detection settings the host's detector reads"},
      {setting(1010, L""), held + "1010 of its analysis settings holds \"\": not detection settings the host's detector reads"},
      // A 0 of 5.0000000000000002e-11 turned into a blank: eleven numbers, which would shift the later ones.
      {setting(1010, L"1 0 -1 0.5 5.0000 00000000002e-11 10 50 0 0 0"),
       held + "1010 of its analysis settings holds \"1 0 -1 0.5 5.0000 00000000002e-11 10 50 ...\" (45 characters): not "
              "detection settings the host's detector reads: they are ten numbers, and this text has 11"},
      {setting(1006, std::wstring(300000, L'x')), held + "1006 of its analysis settings holds \"" + std::string(40, 'x') +
                                                      "...\" (300000 characters): not a number"},
      {[&](const std::vector<char>& good) {
         std::vector<char> damaged = WithSettingText(good, 2001, L"7");  // as long as "0": the group stays put
         PutWord(damaged, group, 7);
         return damaged;
       },
       "its analysis channel is 8 (setting 2001 holds 7), but the recording has 1 channel"},
      // "0.03" with its 3 zeroed: the text before the NUL would read as 0.
      {setting(1006, std::wstring(L"0.0\0", 4)), held + "1006 of its analysis settings holds \"0.0\\x00\": not a number"},
      // One flipped bit in an id: the setting would silently keep its default.
      {words(recordAt(1006) + 4, {1006 | 0x10000}),
       "its analysis settings lack setting 1006 and hold setting 66542, which this build does not know"},
      {words(group, {7}), "its analysis settings hold no group for their analysis channel (setting 2001 holds 0)"},
      {words(store, {2}), "its analysis settings are of unknown version 2"},
      {words(group + 4, {255}), "its analysis settings are of unknown version 255"},
  };
  const std::string name = host::Utf8FromWide(documents);
  for (const auto& c : cases) {
    const std::vector<char> damaged = c.damage(bytes);
    ASSERT_FALSE(damaged.empty()) << c.refusal;
    std::ofstream(documents.c_str(), std::ios::binary).write(damaged.data(), static_cast<std::streamsize>(damaged.size()));
    RunResult refused;
    ASSERT_TRUE(RunHost(analyze, refused));
    EXPECT_EQ(2u, refused.exitCode) << refused.output;
    EXPECT_EQ(name + ": the analysis document could not be opened: " + c.refusal + "\r\n", refused.output);
    EXPECT_EQ(damaged, FileBytes(documents)) << c.refusal;
  }
  // A file from before the layout had a version ("ONDS" and the count) opens as it did.
  std::vector<char> unversioned(bytes.begin() + 4, bytes.end());
  std::memcpy(unversioned.data(), "ONDS", 4);
  std::ofstream(documents.c_str(), std::ios::binary).write(unversioned.data(), static_cast<std::streamsize>(unversioned.size()));
  RunResult reopened;
  ASSERT_TRUE(RunHost(analyze, reopened));
  EXPECT_EQ(saved.output, reopened.output);
  DeleteFileW(documents.c_str());
}

// On a disk that fills up after any number of bytes, every file a run writes fails in words with
// a status that is not 0, and the file there before stays byte for byte with nothing beside it:
// the documents file, the copy, the Data Pad, the calculated channel (past its first 64 KB block),
// the pictures and the print preview's pages.
TEST_F(SavedDocument, FullDiskKeepsEveryOutputAsItWas) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-fulldisk");
  const std::wstring pictures = folder + L"\\pictures";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(pictures.c_str(), nullptr));
  const std::wstring host = ondara_host::PathBesideExecutable(L"fulldisk-host.exe");
  const std::wstring analyze = L" analyze --recording \"" + sRecording + L"\" --type 1 --set 1036=f ";
  const std::wstring documents = folder + L"\\run.documents", copy = folder + L"\\c.txt", pad = folder + L"\\dp.txt";
  const std::wstring csv = folder + L"\\calc.csv", shot = pictures + L"\\analysis-view.png";
  const std::wstring page = pictures + L"\\table-page-1.png";
  const std::string full = ": there is no room left on its disk";
  RunResult saved;  // a documents file this build opens, and room for all of it but its last byte
  ASSERT_TRUE(RunHost(analyze.substr(1) + L"--documents \"" + documents + L"\"", saved));
  const std::vector<char> good = FileBytes(documents);
  const struct {
    std::wstring room;
    std::wstring options;
    std::wstring file;
    std::string line;
  } cases[] = {
      {L"0", L"--documents \"" + documents + L"\"", documents, "the documents could not be saved to " + Utf8(documents) + full},
      {std::to_wstring(good.size() - 1), L"--documents \"" + documents + L"\"", documents, "the documents could not be saved to " + Utf8(documents) + full},
      {L"1", L"--show table --copy \"" + copy + L"\"", copy, Utf8(copy) + " could not be written" + full},
      {L"100", L"--show table --data-pad \"" + pad + L"\"", pad, Utf8(pad) + " could not be written" + full},
      {L"70000", L"--calc APA:1:0 --calc-csv \"" + csv + L"\"", csv, Utf8(csv) + " could not be written" + full},
      // One output failing does not keep the others from being written, or each from its line.
      {L"0", L"--show table --copy \"" + copy + L"\" --data-pad \"" + pad + L"\" --calc APA:1:0 --calc-csv \"" + csv + L"\"",
       csv, Utf8(csv) + " could not be written" + full},
      {L"3000", L"--show analysis --screenshot \"" + pictures + L"\"", shot, Utf8(shot) + " could not be written" + full},
      {L"0", L"--show table --print-preview \"" + pictures + L"\"", page, Utf8(page) + " could not be written" + full},
  };
  for (const auto& c : cases) {
    const std::string old = c.file == documents ? std::string(good.begin(), good.end()) : "old " + Utf8(c.file);
    std::ofstream(c.file.c_str(), std::ios::binary) << old;
    RunResult run;
    ASSERT_TRUE(RunHost(c.room + analyze + c.options, run, host)) << Utf8(c.options);
    EXPECT_EQ(1u, run.exitCode) << Utf8(c.options) << run.output;
    EXPECT_EQ(run.output.size() - c.line.size() - 2, run.output.rfind(c.line + "\r\n")) << Utf8(c.options) << run.output;
    const std::vector<char> kept = FileBytes(c.file);
    EXPECT_EQ(old, std::string(kept.begin(), kept.end()));
    for (const std::wstring& output : {copy, pad}) {
      if (c.file != output && c.options.find(output) != std::wstring::npos) {
        EXPECT_NE(std::string::npos, run.output.find(Utf8(output) + " could not be written" + full)) << run.output;
      }
    }
    EXPECT_EQ(1, testsupport::FilesIn(c.file.substr(0, c.file.rfind(L'\\')))) << Utf8(c.file);
    DeleteFileW(c.file.c_str());
  }
  testsupport::RemoveFolder(pictures);
  testsupport::RemoveFolder(folder);
}

// A read-only file is refused by every output in the same words and stays byte for byte with its
// flag: the files the options name, before the analysis (status 2), and the pictures and pages of
// a folder (a read-only one it holds) as they are written (status 1). Under Wine the rename would
// replace it.
TEST_F(SavedDocument, EveryOutputRefusesAReadOnlyFile) {
  ASSERT_TRUE(testsupport::HostBuilt());
  const std::wstring folder = testsupport::OwnTemporaryPath(L"ondara-read-only");
  const std::wstring pictures = folder + L"\\pictures";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(pictures.c_str(), nullptr));
  const std::wstring analyze = L"analyze --recording \"" + sRecording + L"\" --type 1 --set 1036=f ";
  const std::wstring documents = folder + L"\\run.documents";
  RunResult saved;  // a documents file this build opens
  ASSERT_TRUE(RunHost(analyze + L"--documents \"" + documents + L"\"", saved));
  const std::vector<char> good = FileBytes(documents);
  const struct {
    std::wstring options;
    std::wstring file;
    DWORD status;
  } cases[] = {
      {L"--documents \"" + documents + L"\"", documents, 2},
      {L"--show table --copy \"" + folder + L"\\c.txt\"", folder + L"\\c.txt", 2},
      {L"--show table --data-pad \"" + folder + L"\\dp.txt\"", folder + L"\\dp.txt", 2},
      {L"--calc APA:1:0 --calc-csv \"" + folder + L"\\calc.csv\"", folder + L"\\calc.csv", 2},
      {L"--show analysis --screenshot \"" + pictures + L"\"", pictures + L"\\analysis-view.png", 1},
      {L"--show table --print-preview \"" + pictures + L"\"", pictures + L"\\table-page-1.png", 1},
  };
  for (const auto& c : cases) {
    const std::string old = c.file == documents ? std::string(good.begin(), good.end()) : "old " + Utf8(c.file);
    std::ofstream(c.file.c_str(), std::ios::binary) << old;
    ASSERT_TRUE(SetFileAttributesW(c.file.c_str(), FILE_ATTRIBUTE_READONLY));
    RunResult run;
    ASSERT_TRUE(RunHost(analyze + c.options, run)) << Utf8(c.options);
    EXPECT_EQ(c.status, run.exitCode) << Utf8(c.options) << run.output;
    const size_t named = run.output.find(Utf8(c.file));
    EXPECT_LT(named, run.output.find(": it is read-only: clear its read-only attribute, or choose another name\r\n"))
        << run.output;
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), GetFileAttributesW(c.file.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(c.file.c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::vector<char> kept = FileBytes(c.file);
    EXPECT_EQ(old, std::string(kept.begin(), kept.end())) << Utf8(c.file);
    EXPECT_EQ(1, testsupport::FilesIn(c.file.substr(0, c.file.rfind(L'\\')))) << Utf8(c.file);
    DeleteFileW(c.file.c_str());
  }
  testsupport::RemoveFolder(pictures);
  testsupport::RemoveFolder(folder);
}

// The file's bytes as a reader that lets the file be replaced meanwhile finds them (the host reads
// so too); false when there is no file.
bool ReadShared(const std::wstring& path, std::string* bytes) {
  HANDLE const file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char block[4096];
  DWORD got = 0;
  while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) bytes->append(block, got);
  CloseHandle(file);
  return true;
}

// Runs naming one documents file save it one after another while this program reads it as often
// as it can: each read finds no file yet or the whole file, never an empty or a cut one.
TEST_F(SavedDocument, FileIsReadWholeWhileRunsSaveIt) {
  ASSERT_TRUE(testsupport::HostBuilt());
  constexpr int kRuns = 4;
  constexpr int kMostReads = 200000;
  const std::wstring documents = sRecording + L".shared.documents";
  DeleteFileW(documents.c_str());
  std::atomic<bool> saving{true};
  std::vector<std::string> found;  // what each read found, told apart
  int reads = 0;
  std::thread reader([&] {
    for (std::string bytes; saving && reads < kMostReads; ++reads)
      if (ReadShared(documents, &bytes) && std::find(found.begin(), found.end(), bytes) == found.end())
        found.push_back(bytes);
  });
  for (int run = 0; run < kRuns; ++run) {
    RunResult saved;
    EXPECT_TRUE(RunHost(L"analyze --recording \"" + sRecording + L"\" --type 1 --documents \"" + documents + L"\"", saved));
    EXPECT_EQ(0u, saved.exitCode) << saved.output;
  }
  saving = false;
  reader.join();
  std::string whole;
  ASSERT_TRUE(ReadShared(documents, &whole));
  DeleteFileW(documents.c_str());
  EXPECT_LT(0, reads);
  for (const std::string& bytes : found)
    EXPECT_TRUE(bytes == whole) << "a read found " << bytes.size() << " bytes of " << whole.size() << " in " << reads;
}

}  // namespace
