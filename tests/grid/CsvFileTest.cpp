// CSV files: quoting of cells, the choice of encoding and the bytes written.
#include "grid/CsvFile.h"

#include "tests/support/CardiacSignal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

std::string Narrow(const std::wstring& path) { return std::string(path.begin(), path.end()); }

}  // namespace

TEST(CsvFile, QuotesOnlyCellsThatWouldBreakTheColumns) {
  const struct {
    const wchar_t* cell;
    const wchar_t* separator;
    const wchar_t* field;
  } cases[] = {
      {L"1.5", L";", L"1.5"},
      {L"", L";", L""},
      {L"a;b", L";", L"\"a;b\""},
      {L"a;b", L",", L"a;b"},
      {L"say \"hi\"", L";", L"\"say \"\"hi\"\"\""},
      {L"two\r\nlines", L";", L"\"two\r\nlines\""},
      {L"cr\ronly", L",", L"\"cr\ronly\""},
  };
  for (const auto& c : cases)
    EXPECT_STREQ(c.field, QuoteCsvCell(QOR::String(c.cell), c.separator).GetText()) << c.cell;
}

TEST(CsvFile, EncodingFollowsTheTextTheCodePageAndTheLanguage) {
  EXPECT_FALSE(CsvNeedsUnicode(L"plain;text\r\n", 0x0409));
  EXPECT_TRUE(CsvNeedsUnicode(L"\u03A9", 0x0409)) << "a unit above U+00FF";
  EXPECT_TRUE(CsvNeedsUnicode(L"plain", 0x0011)) << "a listed language";
  EXPECT_FALSE(CsvNeedsUnicode(L"plain", 0x0809));
  EXPECT_TRUE(CsvNeedsUnicode(L"caf\u00E9", 0x0409, 1251)) << "code page 1251 has no e acute";
  EXPECT_FALSE(CsvNeedsUnicode(L"caf\u00E9", 0x0409, 1252));
}

TEST(CsvFile, WritesAnsiOrUtf16AndAnswersFailures) {
  const std::wstring path = TempFile(L"ondara_csv_test.csv");
  ASSERT_EQ(S_OK, WriteCsvFile(path.c_str(), L"a;b\r\n", 0x0409));
  EXPECT_EQ("a;b\r\n", ReadBytes(Narrow(path)));
  ASSERT_EQ(S_OK, WriteCsvFile(path.c_str(), L"\u03A9\r\n", 0x0409));
  EXPECT_EQ(std::string("\xFF\xFE\xA9\x03\r\0\n\0", 8), ReadBytes(Narrow(path))) << "replaced, FF FE first";
  DeleteFileW(path.c_str());
  const std::wstring nowhere = TempFile(L"no such folder\\x.csv");
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), WriteCsvFile(nowhere.c_str(), L"a", 0x0409));
}

// The committed file is read back by Python's csv module (tests/data/table_export.py) into the
// cells written here.
TEST(CsvFile, QuotedCellsMatchTheCheckedFile) {
  const std::vector<std::vector<std::wstring>> rows = {
      {L"Name", L"Amplitude (\u00B5V)", L"Note"},
      {L"a;b", L"1,5", L"say \"hi\""},
      {L"two\r\nlines", L"", L"\u03A9"},
  };
  std::wstring text;
  for (const auto& row : rows) {
    for (size_t k = 0; k < row.size(); ++k)
      text.append(QuoteCsvCell(QOR::String(row[k].c_str()), L";").GetText()).append(k + 1 < row.size() ? L";" : L"\r\n");
  }
  const std::wstring path = TempFile(L"ondara_table_export.csv");
  ASSERT_EQ(S_OK, WriteCsvFile(path.c_str(), text, 0x0409));
  const std::string written = ReadBytes(Narrow(path));
  DeleteFileW(path.c_str());
  EXPECT_EQ(ReadBytes(testsupport::TestDataPath("table_export.csv")), written);
}
