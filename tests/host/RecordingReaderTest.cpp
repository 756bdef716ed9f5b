// Reading recordings from text: channels, units, tick periods, records, faults and real files.
#include "host/data/RecordingReader.h"
#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace host {
namespace {

Recording Parse(const std::string& text, double rate = 0.0) {
  RecordingReadOptions options;
  options.rateHz = rate;
  return ParseRecordingText(text, "test.csv", options);
}

float Sample(const Recording& r, size_t record, size_t channel, int32_t tick) {
  return r.records[record].samples[channel]->Samples()[tick];
}

TEST(RecordingReader, TimeColumnGivesTickPeriodAndBlankLineStartsRecord) {
  const Recording r = Parse("Time [s],Vm [mV],I\n0,1.5,2\n0.0005,-1,3\n0.001,2,4\n\n0,7,8\n0.0005,9,10\n");
  ASSERT_EQ(r.channels.size(), 2u);
  EXPECT_EQ(r.channels[0].title, L"Vm");
  EXPECT_EQ(r.channels[0].units, L"mV");
  EXPECT_EQ(r.channels[1].title, L"I");
  EXPECT_EQ(r.channels[1].units, L"");
  ASSERT_EQ(r.records.size(), 2u);
  EXPECT_EQ(r.records[0].length, 3);
  EXPECT_EQ(r.records[1].length, 2);
  EXPECT_DOUBLE_EQ(r.records[0].tickPeriod, 0.0005);
  EXPECT_FLOAT_EQ(Sample(r, 0, 0, 1), -0.001f);  // kept in volts
  EXPECT_FLOAT_EQ(Sample(r, 1, 1, 1), 10.0f);
  EXPECT_TRUE(r.records[1].samples[0]->IsComplete());
  // A channel without a unit is read in base units, and a note says so.
  std::vector<std::string> notes;
  RecordingReadOptions noting;
  noting.notes = &notes;
  ParseRecordingText("Time,Vm,I [nA]\n0,1,2\n0.1,2,3\n", "test.csv", noting);
  EXPECT_EQ((std::vector<std::string>{"channel Vm has no unit in [ ]: its values are read as base units, so heights "
                                      "and thresholds count its own numbers: give its unit in brackets, as 'Vm [mV]'",
                                      "the Time column has no unit in [ ]: its values are read as seconds, a sampling "
                                      "rate of 10 Hz, below the rates recordings are made at: they are most likely ms, "
                                      "which give 10000 Hz: divide them by 1000 and head the column 'Time [s]'"}),
            notes);
}

TEST(RecordingReader, TabsAndRateWithoutTimeColumn) {
  const Recording r = Parse("A [pA]\tB\r\n1\t2\r\n3\t4\r\n", 2000.0);
  ASSERT_EQ(r.channels.size(), 2u);
  EXPECT_EQ(r.channels[0].units, L"pA");
  EXPECT_DOUBLE_EQ(r.records[0].tickPeriod, 0.0005);
  EXPECT_FLOAT_EQ(Sample(r, 0, 1, 1), 4.0f);
  EXPECT_FLOAT_EQ(Sample(r, 0, 0, 1), 3e-12f);
  // Channels named by numbers and a unit are a header, not a first line of samples.
  EXPECT_EQ(Parse("1 [mV],2 [mV]\n1,2\n", 10.0).channels[1].title, L"2");
  // Trailing blank lines end the file without an empty record.
  EXPECT_EQ(Parse("A\n1\n2\n\n\n", 10.0).records.size(), 1u);
}

// The header (the first line of *text) with the cell named `name`, as it stands, without its unit
// or with the unit spelt after it with '_' or '.', written as `form`.
void Rename(std::string* text, const std::string& name, const std::string& form) {
  const size_t end = std::min(text->find_first_of("\r\n"), text->size());
  for (size_t at = 0, stop = 0; at < end; at = stop + 1) {
    stop = std::min(text->find_first_of(text->find('\t') < end ? "\t" : ",;", at), end);
    std::string cell = text->substr(at, stop - at);
    cell.erase(std::remove_if(cell.begin(), cell.end(), [](char c) { return c == '"'; }), cell.end());
    const std::string bare = cell.substr(0, cell.find(" ["));
    const bool spelt = cell.size() > name.size() && cell.compare(0, name.size(), name) == 0 &&
                       (cell[name.size()] == '_' || cell[name.size()] == '.');
    if (cell == name || spelt || bare.substr(0, bare.find(" (")) == name)
      return void(text->replace(at, stop - at, form));
  }
}

// Whether `said` holds `change` as a change of its own: followed by its end, a comma or a semicolon.
bool Advises(const std::string& said, const std::string& change) {
  const size_t at = said.find(change), after = at + change.size();
  return at != std::string::npos && (after == said.size() || said[after] == ',' || said[after] == ';');
}

// Where the line after the first `lines` lines of text starts.
size_t NthLineStart(const std::string& text, int lines) {
  size_t at = 0;
  for (int i = 0; i < lines && at < text.size(); ++i) at = std::min(text.find('\n', at), text.size() - 1) + 1;
  return at;
}

// A refusal of the header's layout, followed as a user does: the units it names written in brackets
// in the header, the units row it names and the lines before the header removed, and the rate it
// names given ("HZ": any). False for a refusal that asks for another change.
bool FollowHeaderAdvice(const std::string& said, std::string* text, double* rate) {
  const std::string looks = "the header looks to be line ", units = "in brackets in the header, as ";
  const size_t at = said.find(looks), unitsAt = said.find(units), removeAt = said.find("remove line ");
  const size_t given = std::min(said.find("rate with --rate "), said.find("holds with --rate "));
  const size_t place = said.find("write one in place of lines 1 to ");
  if (place != std::string::npos) {  // a header naming as many channels as it says
    const size_t samples = NthLineStart(*text, std::atoi(said.c_str() + place + 33));
    const char separator = text->find('\t', samples) != std::string::npos ? '\t'
                           : text->find(';', samples) != std::string::npos ? ';' : ',';
    std::string header = "V1 [mV]";
    for (int i = 2; i <= std::atoi(said.c_str() + said.find("naming their ") + 13); ++i)
      header += separator + ("V" + std::to_string(i) + " [mV]");
    *text = header + "\n" + text->substr(samples);
    *rate = 1000.0;
    return true;
  }
  const bool before = at != std::string::npos && Advises(said, ": remove the lines before it");
  if (!before && removeAt == std::string::npos && given == std::string::npos) return false;
  const int header = before ? std::atoi(said.c_str() + at + looks.size()) : 1;
  std::vector<std::string> lines;
  for (size_t start = 0, end = 0; start < text->size(); start = end) {
    end = text->find('\n', start);
    end = end == std::string::npos ? text->size() : end + 1;
    lines.push_back(text->substr(start, end - start));
  }
  const size_t formsEnd = unitsAt == std::string::npos ? unitsAt : said.find(", and remove", unitsAt);
  for (size_t open = said.find('\'', unitsAt); open < formsEnd; open = said.find('\'', said.find('\'', open + 1) + 1)) {
    const std::string form = said.substr(open + 1, said.find('\'', open + 1) - open - 1);
    Rename(&lines.at(static_cast<size_t>(header - 1)), form.substr(0, form.find(" [")), form);
  }
  if (removeAt != std::string::npos) lines.erase(lines.begin() + std::atoi(said.c_str() + removeAt + 12) - 1);
  text->clear();
  for (size_t i = static_cast<size_t>(header - 1); i < lines.size(); ++i) *text += lines[i];
  const size_t value = said.find("--rate ", given) + 7;
  if (given != std::string::npos) *rate = said.compare(value, 2, "HZ") == 0 ? 1000.0 : std::atof(said.c_str() + value);
  return true;
}

// A refusal of the header's layout, followed: the file then reads, a current ("I...") in a unit of
// current and a voltage ("V...") in one of voltage.
void ExpectHeaderReadsWhenFollowed(std::string text, double rate, const std::string& said) {
  if (!FollowHeaderAdvice(said, &text, &rate)) return;
  try {
    const Recording r = Parse(text, rate);
    for (const ChannelInfo& channel : r.channels) {
      const wchar_t quantity = channel.title[0] == L'I' ? L'A' : channel.title[0] == L'V' ? L'V' : 0;
      EXPECT_TRUE(channel.units.empty() || quantity == 0 || channel.units.back() == quantity)
          << said << "\nfollowed: " << text;
    }
  } catch (const RecordingFileError& e) {
    ADD_FAILURE() << said << "\nfollowed: " << text << "\n" << e.what();
  }
}

TEST(RecordingReader, MalformedTextNamesLineAndColumn) {
  using namespace std::string_view_literals;
  struct Case {
    std::string_view text;
    int line;
    int column;
    const char* says = "";
    double rate = 0.0;
  };
  const Case cases[] = {
      {"", 1, 1},                                    // no header
      {"Time [s],V\n0,1\n0.1,x\n", 3, 5},            // not a number
      {"Time [s],V\n0,1\n0.1\n", 3, 4},              // too few values
      {"Time [s],V\n0,1\n0.1,2,3\n", 3, 7},          // too many values
      {"Time [s],V\n0,1\n0.1,\n", 3, 5, "empty value in column 2 ('V'): give each cell a number, or delete the column"},
      {"Time [s];Vm [mV];Im [pA]\r\n0;1;\r\n", 2, 5, "empty value in column 3 ('Im [pA]')"},
      {"Time [s],V\n0,1\n0.1,nan\n", 3, 5},          // not finite
      {"Time [s],V\n0,1\n0.1,-1e-400\n", 3, 5, "'-1e-400' is finite but too small to store: write 0"},
      {"Time [s],V\n0,1\n0.1,1e400\n", 3, 5, "'1e400' is out of the range of a sample"},
      {"Time [s]\tV\n0,00000\t1\n", 2, 1, "decimal commas are read only with semicolons between cells"},
      {"Time [s],Vm [m\0V]\n0,1\n"sv, 1, 15, "the unit 'm\\x00V' holds a control character: did you mean mV?"},
      {"Time (s),Vm (mV)\n0,1\n", 1, 1, "'Time (s)' has its unit in parentheses: units are read in brackets, 'Time [s]'"},
      {"Time [s],V\n0,1\n0.1,1e39\n", 3, 5},         // beyond a float
      {"Time [s],V\n0,1\n0.1,2\n0.5,3\n", 3, 1},     // uneven time
      {"Time [s],V\n0,1\n0,2\n", 3, 1},              // time not increasing
      {"Time [s],V\n0,1\n0.1,2\n\n\n0,1\n", 5, 1},   // empty record between blank lines
      {"Time [s],V\n\n0,1\n", 2, 1},                 // blank line before the first row
      // Times the reader cannot take as the Time column: the change that makes them one.
      {"Time [ms],V\n0,1\n", 1, 1, "'Time [ms]' gives times in ms, and the reader takes them in seconds: write the "
                                   "times in seconds and rename the column Time [s]"},
      {"Time [sec],V\n0,1\n", 1, 1, "'Time [sec]': seconds are written [s]: rename it Time [s]"},
      {"Time [mV],V\n0,1\n", 1, 1, "the Time column must be in seconds"},
      {"Time (ms),V\n0,1\n", 1, 1, "'Time (ms)' has its unit in parentheses: units are read in brackets, and times "
                                   "in seconds: write the times in seconds and rename the column Time [s]"},
      {"t [ms],V\n0,1\n0.05,2\n", 1, 1, "the first column 't [ms]' holds rising times: write the times in seconds"},
      {"Zeit (s);V\n0;1\n0,5;2\n", 1, 1, "the first column 'Zeit (s)' holds rising times, its unit in parentheses: "
                                        "rename it Time [s]"},
      {"time.ms.,V\n0,1\n", 1, 1, "'time.ms.' reads as 'Time [ms]' with '_' or '.' for its brackets, as data frames "
                                  "write names: write the times in seconds and rename the column Time [s]"},
      {"t,Vm\n0,1\n0.5,2\n1,3\n", 1, 1, "no \"Time\" column and no sampling rate given: the first column 't' rises "
                                       "evenly, by 0.5 a line, as times do: if it holds the times in seconds, rename "
                                       "it Time [s]"},
      {"X;Vm\n1;5\n2;6\n3;7\n", 1, 1, "by 1 a line, as times do: if it holds the times in seconds, rename it Time "
                                    "[s]; if it numbers the lines, write the file without it"},
      {"t [s],V\n0,1\n0.1,2\n", 1, 1, "the first column 't [s]' holds rising times in seconds, which give the tick "
                                    "period; no sampling rate may be given as well", 1000.0},
      {"t [s],V\n0,1\n0.1,2\n0.5,3\n0.6,4\n", 4, 1, "time 0.5 does not follow the record's even tick period"},
      {"Time,V [mV\n0,1\n", 1, 8},                   // unit not closed
      {"Time,,V\n0,1,2\n", 1, 6, "column 2 has no name in the header: name it, as \"Vm [mV]\", or delete the column"},
      {"Time [s]\n0\n", 1, 1},                       // no channel
      {"V\n1\n", 1, 1, "the first column is 'V', and the reader expects \"Time [s]\" there"},
      {"# rig 2\r\n\r\nTime [s],V\n0,1\n1,2\n", 1, 1,
       "the first line '# rig 2' is a comment: the reader expects the header there, as \"Time [s],Vm [mV]\"; the "
       "header looks to be line 3: remove the lines before it"},
      {"% rig 2\nV,I\n1,2\n", 1, 1, "is a comment: the reader expects the header there, as \"Time [s],Vm [mV]\": remove",
       1000.0},
      // The header written as a comment, as numpy's savetxt writes it; or after a comment line.
      {"# Time [s],V\n0,1\n0.1,2\n", 1, 1,
       "the first line '# Time [s],V' is the header written as a comment: remove the '#' at its start"},
      {"% rig 2\n%Time [s]\tV\n0\t1\n", 1, 1,
       "; the header looks to be line 2, written as a comment: remove the lines before it and the '%' at its start"},
      // No header (as matrix writers leave it), with and without a rate; numbers between blanks.
      {"-47.211,0.5\n-47.3,0.6\n", 1, 1, "the first line '-47.211,0.5' holds only numbers: the reader expects a "
                                         "header line naming the columns there, as \"Time [s],Vm [mV]\" (or "
                                         "\"Vm [mV]\" with --rate HZ): add one"},
      {"-47.211,0.5\n-47.3,0.6\n", 1, 1, "holds only numbers", 20000.0},
      {"-4.7e+01 5.0e-01\n-4.8e+01 6.0e-01\n", 1, 1, "add one, and separate the cells by commas, TABs or semicolons"},
      {"-47,211;0,5\r\n-47,3;0,6\r\n", 1, 1, "the first line '-47,211;0,5' holds only numbers", 1000.0},
      // A title line before the header; units on the line under it; a spreadsheet's row index.
      {"Recording of cell 3\nTime [s],Vm [mV]\n0,1\n0.1,2\n", 1, 1,
       "the first line 'Recording of cell 3' is not the header; the header looks to be line 2: remove the lines before it"},
      {"Cell 3, trial 2\nVm [mV],Im [pA]\n1,2\n3,4\n", 1, 1, "the header looks to be line 2", 1000.0},
      {"Cell 3\r\nTrial 2\r\nTime [s]\tVm [mV]\r\n0\t1\r\n1\t2\r\n", 1, 1, "the header looks to be line 3"},
      {"Time,Vm\ns,mV\n0,1\n0.1,2\n", 2, 1,
       "line 2 holds units under the header, where the reader expects samples: write each unit in brackets in the "
       "header, as 'Time [s]', 'Vm [mV]', and remove line 2"},
      {"Vm;Im\n(mV);(pA)\n1;2\n", 2, 1, "as 'Vm [mV]', 'Im [pA]', and remove line 2", 1000.0},
      {"Time [s],Vm [mV]\ns,mV\n0,1\n0.1,2\n", 2, 1,
       "line 2 holds units under the header, which gives each column's unit already: remove line 2"},
      {"\"Time [s]\"\t\"Vm [mV]\"\r\n[s]\t[mV]\r\n0\t1\r\n0.1\t2\r\n", 2, 1, "unit already: remove line 2"},
      {"Cell 3\nTime [s];Vm [mV]\n(s);(mV)\n0;1\n0,1;2\n", 1, 1, "line 3 holds units under the header, which gives "
       "each column's unit already: remove line 3"},
      // Units in the header for some columns only, or in parentheses: the bracket form of each
      // column the header leaves without; without a Time column the rate too.
      {"Time [s]\tVm [mV]\tIm\r\ns\tmV\tpA\r\n0\t1\t2\r\n0.1\t2\t3\r\n", 2, 1,
       "write each unit in brackets in the header, as 'Im [pA]', and remove line 2"},
      {"\"Time (s)\",\"Vm (mV)\"\ns,mV\n0,1\n0.1,2\n", 2, 1, "as 'Time [s]', 'Vm [mV]', and remove line 2"},
      {"Vm,Im\nmV,pA\n1,2\n3,4\n", 2, 1, "as 'Vm [mV]', 'Im [pA]', and remove line 2, and give the sampling rate "
                                       "with --rate HZ, as the header has no Time column"},
      {"Vm [mV];Im [pA]\nmV;pA\n1;2\n3;4\n", 2, 1, "unit already: remove line 2, and give the sampling rate with"},
      // A key,value block before the header; a title line and a blank line, padded by a spreadsheet or not.
      {"Sampling rate,20000\nUnits,mV\nTime [s],Vm [mV]\n0,1\n0.1,2\n", 1, 1,
       "the first line 'Sampling rate,20000' is not the header; the header looks to be line 3: remove the lines before it"},
      {"Sampling rate,20000\nUnits,mV\nVm [mV]\n1\n2\n", 1, 1,
       "the header looks to be line 3: remove the lines before it, and give the sampling rate line 1 holds with "
       "--rate 20000, as the header has no Time column"},
      {"Cell 3\nSample rate (kHz);2,5\nVm [mV];Im [pA]\n1;2\n", 1, 1, "line 2 holds with --rate 2500,"},
      {"Sampling rate,20000\nUnits,mV\nVm\n1\n2\n", 1, 1,
       "remove the lines before it, write the unit line 2 gives in brackets in the header, as 'Vm [mV]', and give "
       "the sampling rate line 1 holds with --rate 20000"},
      // A unit given as a key goes to the channels of its quantity; a current's is the one its
      // values fit, a unit in the name its own; a header of names that are units is no units row.
      {"Sampling rate,20000\nUnits,mV\nTime [s],Im\n0,-120\n0.0001,340\n0.0002,-480\n", 1, 1,
       "the header looks to be line 3: remove the lines before it, write each channel's unit in brackets in the header, "
       "as 'Im [pA]' (line 2 gives mV)"},
      {"Sampling rate,20000\nUnits,mV\nVm,Im..pA.\n-65,-120\n-64,340\n", 1, 1, "as 'Vm [mV]', 'Im [pA]' (line 2 "
       "gives mV), and give the sampling rate line 1 holds with --rate 20000"},
      {"Units\tpA\nTime [s]\tCurrent\tV\n0\t-120\t-0.065\n0.1\t340\t-0.07\n", 1, 1,
       "as 'Current [pA]', 'V [V]' (line 1 gives pA)"},
      {"Sampling rate,20000\nUnits,mV\nV,I\n1,2\n3,4\n", 1, 1, "the header looks to be line 3: remove the lines "
       "before it, write each channel's unit in brackets in the header, as 'V [mV]', 'I [pA]' (line 2 gives mV)"},
      {"Sampling rate,20000 Hz\nUnits,mV\nVm\n1\n2\n", 1, 1, "the header looks to be line 3: remove the lines before "
       "it, write the unit line 2 gives in brackets in the header, as 'Vm [mV]', and give the sampling rate line 1 "
       "holds with --rate 20000"},
      {"Units;[pA]\nTime [s];Im;Vm [mV]\n0;1;2\n0.1;2;3\n", 1, 1, "remove the lines before it, write the unit line 1 gives "
       "in brackets in the header, as 'Im [pA]'"},
      {"Recording of cell 3\n\nTime [s],Vm [mV]\n0,1\n0.1,2\n", 1, 1,
       "the first line 'Recording of cell 3' is not the header; the header looks to be line 3: remove the lines before it"},
      {"Recording of cell 3;;\n;;\nTime [s];Vm [mV];Im [pA]\n0;1;2\n1;2;3\n", 1, 1, "the header looks to be line 3"},
      // A title line set apart from samples that no header names, padded or not.
      {"Recording\n\n0,1\n1,2\n", 1, 1, "the first line 'Recording' is not the header, and no header line names the "
       "samples from line 3: write one in place of lines 1 to 2, naming their 2 columns, as \"Time [s],Vm [mV]\" (or "
       "\"Vm [mV]\" with --rate HZ)"},
      {"Recording of cell 3;;\n;;\n\n0;1;2\n1;2;3\n", 1, 1, "from line 4: write one in place of lines 1 to 3, naming "
       "their 3 columns"},
      {"Cell 3\r\n\r\n1\t2\r\n3\t4\r\n", 1, 1, "write one in place of lines 1 to 2, naming their 2 columns", 1000.0},
      // A header without a Time column after them needs the rate, padded or not.
      {"Recording of cell 3\n\nVm [mV];Im [pA]\n1;2\n3;4\n", 1, 1, "the header looks to be line 3: remove the "
       "lines before it, and give the sampling rate with --rate HZ, as the header has no Time column"},
      {"Recording of cell 3;;\n;;\nVm [mV];Im [pA]\n1;2\n3;4\n", 1, 1, "the header looks to be line 3: remove the "
       "lines before it, and give the sampling rate with --rate HZ, as the header has no Time column"},
      {"Cell 3\nTime [s],Vm,Im [pA]\ns,mV,pA\n0,1,2\n0.1,2,3\n", 1, 1, "line 2: remove the lines before it; line 3 "
       "holds units under the header, where the reader expects samples: write each unit in brackets in the header, as "
       "'Vm [mV]', and remove line 3"},
      {"Cell 3\nVm,Im\n(mV),(pA)\n1,2\n4,3\n", 1, 1, "as 'Vm [mV]', 'Im [pA]', and remove line 3, and give the "
       "sampling rate with --rate HZ"},
      {",Time [s],Vm [mV]\n0,0,1\n1,0.1,2\n", 1, 1,
       "the first column has no heading (a row index, as spreadsheets and data frames write one): the reader expects \"Time [s]\" or "
       "a channel there: write the file without the index column"},
      // A separator ending each line, or only the header.
      {"Time [s],Vm [mV],\n0,1,\n0.1,2,\n", 1, 18,
       "the header ends in a ',', which leaves its last column without a name: remove the ',' at the end of each line"},
      {"Time [s];V;\r\n0;1;\r\n", 1, 12, "remove the ';' at the end of each line"},
      // Empty columns at the end; a title line padded to the header's width, as spreadsheets save it.
      {"Time [s];Vm [mV];;\n0;1;;\n0,1;2;;\n", 1, 18, "the header ends in 2 empty columns, ';;' after its last "
                                                   "name: remove the ';;' at the end of each line"},
      {"Vm\tIm\t\t\n1\t2\n", 1, 7, "remove the 2 TABs at the end of the header", 1000.0},
      {"Time [s],Vm [mV],\n0,1,2\n", 1, 18, "column 3 has values but no name in the header: name it there"},
      {"Recording of cell 3;\nTime [s];Vm [mV]\n0;1\n0,1;2\n", 1, 1,
       "the first line 'Recording of cell 3;' is not the header; the header looks to be line 2: remove the lines before it"},
      {"Cell 3;;\r\nTime [s];Vm [mV];Im [pA]\r\n0;1;2\r\n1;2;3\r\n", 1, 1, "the header looks to be line 2"},
      {"Vm\tIm\t\n1\t2\n", 1, 7, "the header ends in a TAB, which leaves its last column without a name: remove the "
                                "TAB at the end of the header", 1000.0},
      {"V,time (s),I\n1,0,2\n", 1, 3, "'time (s)' is column 2: the reader takes the Time column only as the first"},
      {"V,Time [s]\n1,0\n", 1, 3, "'Time [s]' is column 2", 1000.0},
      {"\xFF\xFE\0\0T\0\0\0"sv, 1, 1, "the text is UTF-32 (little-endian): save it as UTF-8, or as UTF-16"},
      {"T\0\0\0i\0\0\0"sv, 1, 1, "the text is UTF-32 (little-endian)"},
      {"\0\0\xFE\xFF\0\0\0T"sv, 1, 1, "the text is UTF-32 (big-endian)"},
      {"\xEF\xBB\xBF\xEF\xBB\xBFTime [s],V\n0,1\n", 1, 1, "the UTF-8 byte order mark twice"},
      {"Time [s],V\n0,1\n1e300,2\n2e300,3\n", 2, 1,
       "the sampling interval is 1e+300 s, which no tick holds: the reader takes 1e-09 s (1 GHz) to 1e+06 s"},
      {"Time [s],V\n0,1\n1e-300,2\n", 2, 1, "the sampling interval is 1e-300 s, which no tick holds"},
      {"V\n1\n2\n", 2, 1, "--rate 1e-300 gives a sampling interval of 1e+300 s, which no tick holds", 1e-300},
      {"Time [s]\tV\n0\t1,234.5\n", 2, 3, "'1,234.5' is not a finite number: thousands separators are not read: write 1234.5"},
      {"Time [s];V\n0;-1.234.567,5\n", 2, 3, "thousands separators are not read: write -1234567,5"},
      {"Time [s]\tV\n0\t1,234\n", 2, 3, "decimal commas are read only with semicolons between cells"},
      {"Time [s],V\n0,1\n", 2, 1},                   // one row gives no period
      {"Time [s],V\n0,1\n\n0,2\n", 2, 1, "a record of one line gives no tick period"},  // nor do two records of one
      {"Time [s],V\n", 1, 1},                        // no samples
      {"Time [s],V\n\n\n", 3, 1},                    // header and blank lines only
      {"Time [s],V\n0,1\n0.1,+-2\n", 3, 5},          // two signs
      {"Time [s],V\n0,1\n0.1,1,5\n", 3, 7},          // decimal comma splits the cell
      {"Time [s],V\n0,1\n0.1,0x10\n", 3, 5},         // hexadecimal
      {"Time [s],V\r\n0,1\r\n0.1,2\r\n\r\n0,3\r\n1,x\r\n", 6, 3},  // CRLF keeps line numbers
      {"Time [s],V\r0,1\r0.1,x\r", 3, 5},            // CR alone ends a line too
      {"\"Time [s],V\n0,1\n", 1, 1},                  // quote not closed
      {"\"Time\" [s],V\n0,1\n", 1, 8},                // text after the closing quote
      {"Time,\"V \"\"a\"\"\"\n0,1\n", 1, 9},         // doubled quotes
      {"\xFF\xFET", 1, 1},                              // UTF-16 cut in a character
      {"T\0i\0m\0e\0"sv, 1, 1, "UTF-16 (little-endian) without a byte order mark"},
      // Times rounded to 0.00001 s at 40 kHz, the fourth a tick late; a record whose rate halves.
      {"Time [s],V\n0.00000,1\n0.00003,1\n0.00005,1\n0.00010,1\n0.00010,1\n0.00013,1\n0.00015,1\n", 5, 1,
       "time 0.0001 does not follow the record's even tick period"},
      {"Time [s],V\n0.0000,1\n0.0004,1\n0.0007,1\n0.0011,1\n0.0014,1\n0.0021,1\n0.0028,1\n", 7, 1,
       "time 0.0021 does not"},
      // 0.5 s missing after the fourth tick: the line of the jump is named.
      {"Time [s],V\n0,1\n0.001,1\n0.002,1\n0.003,1\n0.504,1\n0.505,1\n0.506,1\n", 6, 1, "time 0.504 does not"},
  };
  for (const Case& c : cases) {
    try {
      Parse(std::string(c.text), c.rate);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const RecordingFileError& e) {
      EXPECT_EQ(e.Line(), c.line) << c.text << " -> " << e.what();
      EXPECT_EQ(e.Column(), c.column) << c.text << " -> " << e.what();
      const std::string where = "test.csv:" + std::to_string(c.line) + ":" + std::to_string(c.column) + ": ";
      EXPECT_EQ(std::string(e.what()).rfind(where, 0), 0u) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
      ExpectHeaderReadsWhenFollowed(std::string(c.text), c.rate, e.what());
    }
  }
}

TEST(RecordingReader, NumberFormsByteOrderMarkAndPerRecordPeriods) {
  const Recording r = Parse("\xEF\xBB\xBFTime,V\r\n0,1e-05\r\n.001,.5\r\n0.002,-1\r\n0.003,+2\r\n\r\n"
                            "0,-.25\r\n0.01,1E3\r\n\r\n\r\n");
  ASSERT_EQ(r.channels.size(), 1u);
  EXPECT_EQ(r.channels[0].title, L"V");
  ASSERT_EQ(r.records.size(), 2u);
  EXPECT_EQ(r.records[0].length, 4);
  EXPECT_EQ(r.records[1].length, 2);
  EXPECT_DOUBLE_EQ(r.records[0].tickPeriod, 0.001);
  EXPECT_DOUBLE_EQ(r.records[1].tickPeriod, 0.01);  // each record has its own tick period
  const float expected[] = {1e-05f, 0.5f, -1.0f, 2.0f};
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(Sample(r, 0, 0, i), expected[i]) << i;
  EXPECT_EQ(Sample(r, 1, 0, 0), -0.25f);
  EXPECT_EQ(Sample(r, 1, 0, 1), 1000.0f);
  // Records of one line before the first of two or more take its period, in their place.
  const Recording late = Parse("Time,V\n0,1\n\n0,2\n\n0,3\n0.01,4\n\n0,5\n");
  ASSERT_EQ(late.records.size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(late.records[i].tickPeriod, 0.01) << i;
  EXPECT_EQ(late.records[1].length, 1);
  EXPECT_EQ(Sample(late, 1, 0, 0), 2.0f);
  EXPECT_EQ(Sample(late, 2, 0, 1), 4.0f);
}

TEST(RecordingReader, SamplesAreKeptInTheBaseUnit) {
  const Recording r = Parse(
      "Time [s],Vm [mV],I [nA],P [mmHg],t [min],c [mol],Em [uV],G [TV],Eg [\xCE\xBCV]\n"
      "0,60,2,760,3,4,-7,1,-7\n0.001,-65.5,0.5,1,1,1,1,2e-12,1\n");
  const wchar_t* const units[] = {L"mV", L"nA", L"mmHg", L"min", L"mol", L"uV", L"TV", L"\u03BCV"};
  for (size_t c = 0; c < 8; ++c) EXPECT_EQ(r.channels[c].units, units[c]) << c;  // as written
  // Division by the exact power of ten: as close to the written value as a float can be.
  const float first[] = {0.06f, 2e-9f, 760.0f, 3.0f, 4.0f, -7e-6f, 1e12f, -7e-6f};
  const float second[] = {-0.0655f, 5e-10f, 1.0f, 1.0f, 1.0f, 1e-6f, 2.0f, 1e-6f};
  for (size_t c = 0; c < 8; ++c) {
    EXPECT_EQ(Sample(r, 0, c, 0), first[c]) << c;
    EXPECT_EQ(Sample(r, 0, c, 1), second[c]) << c;
  }
  // A value that fits a float only before scaling is out of range.
  EXPECT_THROW(Parse("Time [s],X [TV]\n0,1e30\n0.1,1\n"), RecordingFileError);
}

// Evenly spaced times in the first column, at any rate, start and separator: under any heading in
// seconds they are the Time column; without a unit, or with brackets spelt as data frames write
// names, the file is refused with the rename and no rate offered, and beside a rate a column
// without a unit is read as a channel only with a note that says so.
TEST(RecordingReader, TimesUnderAnyHeadingAreNeverAnalysedSilently) {
  const char* const names[] = {"t", "Zeit", "Temps", "tiempo", "X1", "time_axis", "ts"};
  const char* const spelt[] = {"Time_s_", "Time..s.", "time.s", "TIME_s_", "Time_sec_"};
  for (const double rate : {1.0, 360.0, 20000.0, 1e6})
    for (const double start : {0.0, 5.5, -2.0})
      for (const char separator : {',', '\t', ';'}) {
        const auto text = [&](const std::string& heading) {
          std::string rows;
          for (int i = 0; i < 50; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "%.15g%c%.3f\n", start + i / rate, separator, -65.0 + 10.0 * std::sin(i));
            rows += line;
          }
          if (separator == ';') std::replace(rows.begin(), rows.end(), '.', ',');  // decimal commas
          return heading + separator + "Vm [mV]\n" + rows;
        };
        const auto refusal = [&](const std::string& heading, double givenRate) {
          try {
            Parse(text(heading), givenRate);
          } catch (const RecordingFileError& e) {
            return std::string(e.what());
          }
          return std::string("accepted");
        };
        const std::string where = " at " + std::to_string(rate) + " Hz from " + std::to_string(start) + " s, '" +
                                  separator + "'";
        for (const char* name : names) {
          const Recording r = Parse(text(std::string(name) + " [s]"));
          ASSERT_EQ(r.channels.size(), 1u) << name << where;
          EXPECT_NEAR(r.records[0].tickPeriod * rate, 1.0, 1e-9) << name << where;
          EXPECT_THROW(Parse(text(std::string(name) + " [s]"), rate), RecordingRateConflict) << name << where;
          const std::string refused = refusal(name, 0.0);
          EXPECT_NE(refused.find("rename it Time [s]"), std::string::npos) << refused << where;
          EXPECT_EQ(refused.find("--rate"), std::string::npos) << refused << where;
          std::vector<std::string> notes;
          RecordingReadOptions noting;
          noting.rateHz = rate;
          noting.notes = &notes;
          ParseRecordingText(text(name), "test.csv", noting);
          ASSERT_FALSE(notes.empty()) << name << where;
          EXPECT_NE(notes[0].find("is read as a channel: if it holds the times in seconds, rename it Time [s]"),
                    std::string::npos) << notes[0] << where;
        }
        for (const char* name : spelt)
          for (const double givenRate : {0.0, rate})
            EXPECT_NE(refusal(name, givenRate).find("rename it Time [s]"), std::string::npos) << name << where;
      }
}

// A note on times without a unit, followed: the first column multiplied or divided as it says and
// headed as it says. False for a note that names no such change.
bool FollowTimeNote(const std::string& note, std::string* text) {
  const size_t times = std::max(note.find("divide them by "), note.find("multiply them by "));
  const size_t heading = note.find("head the column '");
  if (times == std::string::npos || heading == std::string::npos) return false;
  const double by = std::atof(note.c_str() + note.find(" by ", times) + 4);
  const double factor = note.compare(times, 6, "divide") == 0 ? 1.0 / by : by;
  const size_t open = heading + 17;
  const size_t header = text->find('\n');
  std::string followed = note.substr(open, note.find('\'', open) - open) +
                         text->substr(text->find_first_of(",;\t"), header - text->find_first_of(",;\t"));
  for (size_t start = header + 1, end = 0; start < text->size(); start = end + 1) {
    end = std::min(text->find('\n', start), text->size());
    const std::string line = text->substr(start, end - start);
    const size_t cut = line.find_first_of(",;\t");
    char time[32] = "";
    if (cut != std::string::npos) std::snprintf(time, sizeof time, "%.17g", std::atof(line.c_str()) * factor);
    followed += "\n" + (cut == std::string::npos ? line : time + line.substr(cut));
  }
  *text = followed + "\n";
  return true;
}

// A note on times without a unit, followed, leaves times in seconds at the rate the note gives
// and no note on them.
void ExpectTimesReadWhenFollowed(std::string text, const std::string& note) {
  if (!FollowTimeNote(note, &text)) return;
  const size_t give = note.find("which give ");
  std::vector<std::string> notes;
  RecordingReadOptions noting;
  noting.notes = &notes;
  const Recording r = ParseRecordingText(text, "test.csv", noting);
  EXPECT_NEAR(1.0, r.records.at(0).tickPeriod * std::atof(note.c_str() + give + 11), 1e-5) << note << "\n" << text;
  for (const std::string& again : notes) EXPECT_EQ(std::string::npos, again.find("Time column")) << again;
}

// Times without a unit, written in ms or minutes at the rates recordings are made at, are named
// in that unit (minutes at the lowest rates as likely as seconds), and the note followed reads them
// at their rate; times in seconds are never said to be most likely another unit.
TEST(RecordingReader, TimesWithoutUnitNameTheUnitTheirRateImplies) {
  std::mt19937 random(11);
  const double typical[] = {1000, 2000, 5000, 10000, 20000, 25000, 40000, 50000, 100000};
  for (int i = 0; i < 40; ++i) {
    const double logRate = std::uniform_real_distribution<>(std::log(1e3), std::log(1e5))(random);
    const double rate = i < 9 ? typical[i] : std::round(std::exp(logRate));
    for (const double perSecond : {1000.0, 1.0 / 60, 1.0}) {
      std::string text = "time,Im [pA]\n";
      char row[64];
      for (int k = 0; k < 30; ++k) {
        std::snprintf(row, sizeof row, "%.9g,%d\n", k / rate * perSecond, k % 5);
        text += row;
      }
      std::vector<std::string> notes;
      RecordingReadOptions noting;
      noting.notes = &notes;
      ParseRecordingText(text, "test.csv", noting);
      const std::string where = std::to_string(rate) + " Hz, " + std::to_string(perSecond) + " a second";
      ASSERT_EQ(1u, notes.size()) << where;
      const std::string& note = notes[0];
      if (perSecond == 1.0) {
        EXPECT_EQ(std::string::npos, note.find("most likely")) << note << where;
        continue;
      }
      const bool named = perSecond > 1.0 ? note.find("they are most likely ms") != std::string::npos
                                         : note.find("they are most likely minutes") != std::string::npos ||
                                               (rate < 3400 && note.find("if they are minutes") != std::string::npos);
      EXPECT_TRUE(named) << note << where;
      ExpectTimesReadWhenFollowed(text, note);
    }
  }
}

// What the reader assumes is said one line each: a unit left out or unknown (read as the base
// unit, with the known unit it most plainly stands for) and a Time column not starting at 0.
TEST(RecordingReader, NotesNameEachAssumption) {
  const std::string baseUnits = ": its values are read as base units";
  const std::string fromStart = ": times in the table count from each record's start";
  const std::string unitless = ", so heights and thresholds count its own numbers: ";
  const struct {
    std::string_view text;
    std::vector<std::string> notes;
    double rate = 0.0;
  } cases[] = {
      {"Time [s],Vm [mv]\n0,1\n0.1,2\n", {"channel Vm has the unknown unit 'mv' in [ ]" + baseUnits + "; did you mean mV?"}},
      {"Time [s],Vm [mmV]\n0,1\n0.1,2\n", {"channel Vm has the unknown unit 'mmV' in [ ]" + baseUnits + "; did you mean mV?"}},
      {"Time [s],Vm [mV]]\n0,1\n0.1,2\n", {"channel Vm has the unknown unit 'mV]' in [ ]" + baseUnits + "; did you mean mV?"}},
      {"Time [s],Vm [m V]\n0,1\n0.1,2\n", {"channel Vm has the unknown unit 'm V' in [ ]" + baseUnits + "; did you mean mV?"}},
      // Spaces that do not show, a zero-width one and a byte order mark inside the brackets.
      {"Time [s],Vm [m\xC2\xA0V]\n0,1\n0.1,2\n", {"channel Vm has the unknown unit 'm\\u00A0V' in [ ]" + baseUnits + "; did you mean mV?"}},
      {"Time [s],Vm [mV\xE2\x80\x8B]\n0,1\n0.1,2\n", {"channel Vm has the unknown unit 'mV\\u200B' in [ ]" + baseUnits + "; did you mean mV?"}},
      {"Time [s],Vm [\xEF\xBB\xBFmV\xE2\x80\x8E]\n0,1\n0.1,2\n",
       {"channel Vm has the unknown unit '\\uFEFFmV\\u200E' in [ ]" + baseUnits + "; did you mean mV?"}},
      {"time [s],istim [na],vm [mv]\n0,1,2\n0.1,2,3\n",
       {"channel istim has the unknown unit 'na' in [ ]" + baseUnits + "; did you mean nA?",
        "channel vm has the unknown unit 'mv' in [ ]" + baseUnits + "; did you mean mV?"}},
      {"Time [s],P [pa],F [AU]\n0,1,2\n0.1,2,3\n",  // pA and Pa are as near: no guess
       {"channel P has the unknown unit 'pa' in [ ]" + baseUnits, "channel F has the unknown unit 'AU' in [ ]" + baseUnits}},
      {"Time [s],Vm (mV)\n0,1\n0.1,2\n", {"channel Vm (mV) has no unit in [ ]" + baseUnits + ", so heights and "
                                          "thresholds count its own numbers: units are read in brackets: 'Vm [mV]'"}},
      // A unit spelt as data frames write it; the unit a current's name stands for, or the choice.
      {"Time [s],Im..pA.,I_pA\n0,1,2\n0.1,2,3\n", {"channel Im..pA. has no unit in [ ]" + baseUnits + unitless +
                                                   "units are read in brackets: 'Im [pA]'",
                                                   "channel I_pA has no unit in [ ]" + baseUnits + unitless +
                                                   "units are read in brackets: 'I [pA]'"}},
      {"Time [s],Im,Current\n0,1,2\n0.1,2,3\n",
       {"channel Im has no unit in [ ]" + baseUnits + unitless + "give its unit in brackets, as 'Im [pA]' (or "
        "'Im [nA]', whichever its values are in)",
        "channel Current has no unit in [ ]" + baseUnits + unitless + "give its unit in brackets, as 'Current [pA]' (or "
        "'Current [nA]', whichever its values are in)"}},
      {"Time [s],Signal\n0,1\n0.1,2\n", {"channel Signal has no unit in [ ]" + baseUnits + unitless + "give its unit in "
                                         "brackets, as 'Signal [mV]' or 'Signal [pA]', whichever its values are in"}},
      // The unit its values fit: a current's largest 1 pA to 100 nA, a voltage's 1 mV to 1 V.
      {"Time [s],Im,Vm,I,Current,V\n0,1e-10,-0.065,0.25,-350,1500\n0.1,-2e-10,-0.07,-0.5,-400,-2000\n",
       {"channel Im has no unit in [ ]" + baseUnits + unitless + "give its unit in brackets, as 'Im [A]'",
        "channel Vm has no unit in [ ]" + baseUnits + unitless + "give its unit in brackets, as 'Vm [V]'",
        "channel I has no unit in [ ]" + baseUnits + unitless + "give its unit in brackets, as 'I [nA]'",
        "channel Current has no unit in [ ]" + baseUnits + unitless + "give its unit in brackets, as 'Current [pA]'",
        "channel V has no unit in [ ]" + baseUnits + unitless + "give its unit in brackets, as 'V [uV]'"}},
      {"Time [s];Signal\n0;0,05\n0,1;0,07\n", {"channel Signal has no unit in [ ]" + baseUnits + unitless + "give its "
                                               "unit in brackets, as 'Signal [nA]' or 'Signal [V]', whichever its "
                                               "values are in"}},
      // Times under another heading: taken in seconds, or read as a channel beside a rate.
      {"Zeit [s],V [V]\n0,1\n0.1,2\n", {"the first column 'Zeit [s]' holds rising times in seconds: it is read as the "
                                        "Time column"}},
      {"t,V [V]\n0,1\n0.1,2\n0.2,3\n", {"the first column 't' rises evenly, by 0.1 a line, as times do, and is read as a "
                                       "channel: if it holds the times in seconds, rename it Time [s] and give no rate"},
       1000.0},
      // Times without a unit in ms or minutes: the rate they give shows it, and the note says so.
      {"Time,Im [pA]\n0,1\n0.05,2\n\n0,3\n0.1,4\n",
       {"the Time column has no unit in [ ]: its values are read as seconds, a sampling rate of 20 Hz, below the rates "
        "recordings are made at: they are most likely ms, which give 20000 Hz: divide them by 1000 and head the column "
        "'Time [s]'"}},
      {"time,Im [pA]\n0,1\n8.3333333e-07,2\n1.6666667e-06,3\n",
       {"the Time column has no unit in [ ]: its values are read as seconds, a sampling rate of 1.2e+06 Hz, above the "
        "rates recordings are made at: they are most likely minutes, which give 20000 Hz: multiply them by 60 and head "
        "the column 'time [s]'"}},
      // Minutes at 1 kHz read as 60 kHz, a rate recordings in seconds are made at too.
      {"TIME,Im [pA]\n0,1\n1.6666667e-05,2\n3.3333333e-05,3\n",
       {"the Time column has no unit in [ ]: its values are read as seconds, a sampling rate of 60000 Hz; if they are "
        "minutes, which give 1000 Hz, multiply them by 60 and head the column 'TIME [s]'"}},
      {"Time [s],E [\xCE\xBCV],R [\xCE\xA9],Q [\xE2\x80\xB0],P [mmHg],T [\xC2\xB0" "C],D [%]\n0,1,2,3,4,5,6\n0.1,1,2,3,4,5,6\n", {}},
      {"Time [s],V [V]\n5,1\n5.1,2\n\n7,1\n7.1,2\n", {"the Time column starts at 5 s" + fromStart}},
      {"Time [s],V [V]\n0,1\n0.1,2\n\n10,1\n10.1,2\n", {"the Time column starts at 10 s in record 2" + fromStart}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> notes;
    RecordingReadOptions noting;
    noting.notes = &notes;
    noting.rateHz = c.rate;
    ParseRecordingText(c.text, "test.csv", noting);
    EXPECT_EQ(c.notes, notes) << c.text;
    if (!notes.empty()) ExpectTimesReadWhenFollowed(std::string(c.text), notes.back());
    // Each unit advised, written in brackets, leaves no note on its channel, and its largest value
    // reads as a current or a voltage is recorded.
    for (const std::string& note : notes) {
      const size_t form = std::max(note.find("in brackets, as '"), note.find("in brackets: '"));
      if (note.rfind("channel ", 0) != 0 || form == std::string::npos) continue;
      const std::string name = note.substr(8, note.find(" has ") - 8);
      const size_t open = note.find('\'', form) + 1;
      const std::string bracketed = note.substr(open, note.find('\'', open) - open);
      std::string text(c.text);
      Rename(&text, name, bracketed);
      std::vector<std::string> followed;
      noting.notes = &followed;
      const Recording r = ParseRecordingText(text, "test.csv", noting);
      for (const std::string& again : followed) EXPECT_NE(0u, again.rfind("channel " + name + " ", 0)) << again;
      float largest = 0.0f;
      for (size_t i = 0; i < r.channels.size(); ++i)
        if (bracketed.rfind(std::string(r.channels[i].title.begin(), r.channels[i].title.end()) + " [", 0) == 0)
          largest = std::max({largest, std::fabs(Sample(r, 0, i, 0)), std::fabs(Sample(r, 0, i, 1))});
      const bool current = bracketed[bracketed.size() - 2] == 'A';
      EXPECT_LE(current ? 1e-12 : 1e-3, largest) << bracketed << " in " << c.text;
      EXPECT_GE(current ? 1e-7 : 1.0, largest) << bracketed << " in " << c.text;
    }
  }
}

TEST(RecordingReader, MissingFileIsReported) {
  EXPECT_THROW(ReadRecordingFile("/no/such/file.csv", RecordingReadOptions()), RecordingFileError);
}

// What a spreadsheet writes: semicolons with decimal commas, CR line ends, quoted cells, UTF-16.
TEST(RecordingReader, ReadsSpreadsheetTextForms) {
  std::string utf16le = "\xFF\xFE";
  std::string utf16be = "\xFE\xFF";
  for (const char c : std::string("Time [s]\tV [\xB0" "C]\r\n0\t1\r\n0.5\t-2\r\n")) {
    utf16le += {c, '\0'};
    utf16be += {'\0', c};
  }
  const std::string texts[] = {
      "Time [s];V [\xC2\xB0" "C]\r\n0;1,0\r\n0,5;-2\r\n",
      "Time [s],V [\xC2\xB0" "C]\r0,1\r0.5,-2\r",
      "\"Time [s]\",\" V [\xC2\xB0" "C] \"\n\"0\",\"1\"\n 0.5 , \"-2\"\n",
      utf16le,
      utf16be,
      "Time [s],V [\xB0" "C]\r\n0,1\r\n0.5,-2\r\n",  // not UTF-8: Windows-1252
  };
  for (const std::string& text : texts) {
    const Recording r = Parse(text);
    ASSERT_EQ(r.channels.size(), 1u) << text;
    EXPECT_EQ(r.channels[0].title, L"V") << text;
    EXPECT_EQ(r.channels[0].units, L"\xB0" "C") << text;
    ASSERT_EQ(r.records.size(), 1u) << text;
    EXPECT_DOUBLE_EQ(r.records[0].tickPeriod, 0.5) << text;
    EXPECT_EQ(Sample(r, 0, 0, 0), 1.0f) << text;
    EXPECT_EQ(Sample(r, 0, 0, 1), -2.0f) << text;
  }
}

// Quoted input stays short and printable; a rate beside a Time column is refused.
TEST(RecordingReader, MessagesQuoteCellsShortAndRateConflictIsRefused) {
  std::string text = "Time [s],V\n0,1\n0.1,\x01";
  text += '\0';
  text += std::string(2000000, '9') + "\n";
  try {
    Parse(text);
    ADD_FAILURE() << "accepted";
  } catch (const RecordingFileError& e) {
    EXPECT_EQ(std::string(e.what()), "test.csv:3:5: '\\x01\\x00" + std::string(38, '9') +
                                          "...' (2000002 characters) is not a finite number");
  }
  EXPECT_THROW(Parse("Time [s],V\n0,1\n0.1,2\n", 1000.0), RecordingRateConflict);
  EXPECT_NO_THROW(Parse("V\n1\n2\n", 1000.0));
}

// A device or a folder is never opened as a recording; it is named with what it is.
TEST(RecordingReader, OnlyDiskFilesAreRead) {
  const struct {
    const char* path;
    const char* says;
  } cases[] = {
      {"aux.csv", "Windows reserves the name 'aux' for a device: rename the file"},
      {"com1.csv", "Windows reserves the name 'com1' for a device: rename the file"},
      {"AUX", "Windows reserves the name 'AUX' for a device: rename the file"},
      {"data\\nul.csv", "Windows reserves the name 'nul' for a device: rename the file"},
      {"con .csv", "Windows reserves the name 'con' for a device: rename the file"},
      {"lpt1.csv", "Windows reserves the name 'lpt1' for a device: rename the file"},
      {"C:\\windows", "not a regular file"},
  };
  for (const auto& c : cases) {
    try {
      ReadRecordingFile(c.path, RecordingReadOptions());
      ADD_FAILURE() << "read " << c.path;
    } catch (const RecordingFileError& e) {
      EXPECT_EQ(std::string(e.what()), std::string(c.path) + ": " + c.says);
    }
  }
  try {
    ReadRecordingFile("/no/such/file.csv", RecordingReadOptions());
    ADD_FAILURE() << "read a missing file";
  } catch (const RecordingFileError& e) {
    EXPECT_EQ(std::string(e.what()), "/no/such/file.csv: no such file");
  }
}

// Times written as even ticks rounded to any digit, at any rate, are read at the rate they imply
// (within the half digit the record's two ends leave, exactly for a long record at a round rate),
// with no note; at a digit of a quarter tick or finer, a time a tick off its place is refused at
// its line.
TEST(RecordingReader, RoundedTimesGiveTheirRateAndATimeOffItsTickIsNamed) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<>(low, high)(random); };
    // The rates first, long; then rates from 1 Hz to 200 kHz, a third of them not whole.
    const double fixed[][2] = {{40000, 5}, {12000, 4}, {2857, 4}};
    double rate = seed <= 3 ? fixed[seed - 1][0] : std::round(std::exp(uniform(0.0, std::log(2e5))));
    if (seed > 3 && seed % 3 == 0) rate = std::max(1.0, std::round(rate * uniform(0.9, 1.1) * 10) / 10);
    const double tick = 1.0 / rate;
    const int fewest = static_cast<int>(std::ceil(-std::log10(tick))) - 1;  // a digit of up to 10 ticks
    const int decimals =
        std::max(0, seed <= 3 ? static_cast<int>(fixed[seed - 1][1]) : fewest + static_cast<int>(random() % 6));
    const double digit = std::pow(10.0, -decimals);
    const int n = seed <= 3 ? 50000 : 3 + static_cast<int>(random() % 2000) + static_cast<int>(8 * digit / tick);
    std::vector<std::string> times(static_cast<size_t>(n));
    char cell[64];
    const auto write = [&](double t) {
      std::snprintf(cell, sizeof cell, "%.*f", decimals, t);
      return std::string(cell);
    };
    for (int i = 0; i < n; ++i) times[static_cast<size_t>(i)] = write(i * tick);
    // Every fourth under another heading in seconds: read as the Time column, with its note.
    const bool otherHeading = seed % 4 == 0;
    const auto text = [&] {
      std::string all = otherHeading ? "t [s],V [mV]\n" : "Time [s],V [mV]\n";
      for (const std::string& t : times) all += t + ",1\n";
      return all;
    };
    const std::string where = "seed " + std::to_string(seed) + ": " + std::to_string(rate) + " Hz, " +
                              std::to_string(decimals) + " decimals, " + std::to_string(n) + " rows";
    std::vector<std::string> notes;
    RecordingReadOptions noting;
    noting.notes = &notes;
    try {
      const Recording r = ParseRecordingText(text(), "test.csv", noting);
      const double period = r.records.at(0).tickPeriod;
      EXPECT_LE(std::fabs(period - tick), 2 * digit / (n - 1) + 1e-12 * tick) << where << ": " << period;
      if (seed <= 3) {
        EXPECT_EQ(1.0 / rate, period) << where;
      }
      // A period read as the rate's is exactly its reciprocal, as a rate typed in would give.
      if (std::fabs(period * rate - 1.0) < 1e-9) {
        EXPECT_EQ(1.0 / rate, period) << where;
      }
      if (otherHeading) {
        EXPECT_EQ(std::vector<std::string>{"the first column 't [s]' holds rising times in seconds: it is read as "
                                           "the Time column"},
                  notes)
            << where;
      } else {
        EXPECT_TRUE(notes.empty()) << where << ": " << notes.front();
      }
    } catch (const RecordingFileError& e) {
      ADD_FAILURE() << where << ": " << e.what();
    }
    if (4 * digit > tick || n < 5) continue;
    const int late = 1 + static_cast<int>(random() % static_cast<uint32_t>(n - 2));
    times[static_cast<size_t>(late)] = write((late + 1) * tick);
    try {
      Parse(text());
      ADD_FAILURE() << where << ": row " << late << " a tick late, accepted";
    } catch (const RecordingFileError& e) {
      EXPECT_EQ(late + 2, e.Line()) << where << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find("does not follow the record's even tick period"), std::string::npos)
          << where << ": " << e.what();
    }
  }
}

// The smallest real recording: three records of unequal length at 10 kHz.
TEST(RecordingReader, ReadsRealVariableLengthRecording) {
  const Recording r =
      ReadRecordingFile(testsupport::RecordingPath("varlength.csv"), RecordingReadOptions());
  ASSERT_EQ(r.channels.size(), 1u);
  EXPECT_EQ(r.channels[0].title, L"Im");
  EXPECT_EQ(r.channels[0].units, L"pA");
  ASSERT_EQ(r.records.size(), 3u);
  EXPECT_EQ(r.records[0].length, 3540);
  EXPECT_EQ(r.records[1].length, 7004);
  EXPECT_EQ(r.records[2].length, 1604);
  for (const RecordData& record : r.records) EXPECT_NEAR(record.tickPeriod, 1e-4, 1e-12);
  // Kept in amperes.
  EXPECT_EQ(Sample(r, 0, 0, 0), 0.92e-12f);
  EXPECT_EQ(Sample(r, 0, 0, 1), 0.31e-12f);
}

}  // namespace
}  // namespace host
