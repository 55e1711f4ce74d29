// The loading logic against a recording list and message box: which rows
// reach the list, the count message, and the scratch buffer around them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/csv_loader.h"
#include "app/load_progress.h"
#include "app/separator_guess.h"
#include "app/viewer_numbers.h"
#include "tests/app/fake_list_and_message.h"
#include "tests/support/heap_use.h"
#include "tests/support/read_only.h"
#include "tests/support/temp_files.h"
#include "tests/support/utf_text.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"

namespace {

class CsvLoaderTest : public testing::Test {
protected:
  void SetUp() override { ResetFakes(); }

  void ResetFakes() {
    Fake = FakeListAndMessage();
    Fake.rows = {"row left from an earlier load"};
    scratchBefore = ScratchPos;
  }

  void ExpectCountMessage(int count) {
    ExpectScratchMessage("Anzahl Zeilen", std::to_string(count) + " Zeilen gelesen !");
  }

  void ExpectScratchMessage(const char *title, const std::string &text) {
    EXPECT_EQ(Fake.messageCount, 1);
    EXPECT_EQ(Fake.messageTitle, title);
    EXPECT_EQ(Fake.messageText, text);
    EXPECT_EQ(Fake.messageFlags, 0u);
    EXPECT_TRUE(Fake.messageAtScratchEnd);
    EXPECT_TRUE(Fake.messageSurvivedScratchWork);
    // Title and cursor are back before the message box opens.
    EXPECT_FALSE(Fake.messageDuringProgress);
    EXPECT_EQ(Fake.progressBegun, 0);
  }

  int32_t scratchBefore = 0;
};

struct LoadCase {
  const char *what;
  std::string bytes;
  const char *separator;
  std::vector<std::string> rows; // decoded rows in UTF-8
  int32_t wideRows = 0;          // rows that went in as characters
};

const char MARK_UTF8[] = "\xEF\xBB\xBF";

std::string Utf16File(const std::u16string &text, bool bigEndian = false) {
  return (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + Utf16Bytes(text, bigEndian);
}

TEST_F(CsvLoaderTest, TurnsEveryNonEmptyLineIntoOneRow) {
  const LoadCase cases[] = {
      {"empty file", "", ",", {}},
      {"only empty lines", "\r\n\n\r\r\n", ",", {}},
      {"blanks are a row", "  \n\n \t \n", ",", {"  ", " \t "}},
      {"last line without terminator", "a,b\r\nc,d", ",", {"a\nb", "c\nd"}},
      {"mixed line ends", "1,2\r3,4\n5,6\r\n", ",", {"1\n2", "3\n4", "5\n6"}},
      {"separator absent", "abc\nd,e\n", ";", {"abc", "d,e"}},
      {"empty field", "a;b;;c\n", ";", {"a\nb\n\nc"}},
      {"separator at both ends", ";x;\n", ";", {"\nx\n"}},
      {"two-byte separator after a near match", "aab\n", "ab", {"a\n"}},
      {"matches do not overlap", "ababab\n", "ab", {"\n\n\n"}},
      {"letter case counts", "1X2\n1x2\n", "x", {"1X2", "1\n2"}},
      {"separator used whole", "a; b;c\n", "; ", {"a\nb;c"}},
      {"more than four fields passed on", "1,2,3,4,5,6\n", ",", {"1\n2\n3\n4\n5\n6"}},
      {"bytes taken as they are", "M\xFCnchen,\xC4rger\n", ",", {"M\xFCnchen\n\xC4rger"}},
      {"code page 1252, decimal commas",
       "M\xFCnchen;1.512.491;310,7;Bayern\r\n",
       ";",
       {"M\xFCnchen\n1.512.491\n310,7\nBayern"}},
      {"UTF-8 with a mark",
       std::string(MARK_UTF8) + "M\xC3\xBCnchen,Zo\xC3\xAB\r\nx,y\r\n",
       ",",
       {"M\xC3\xBCnchen\nZo\xC3\xAB", "x\ny"},
       1},
      {"UTF-8 without a mark",
       "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82;\xCA\xA4;\xF0\x9F\x98\x80\n",
       ";",
       {"\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82\n\xCA\xA4\n\xF0\x9F\x98\x80"},
       1},
      {"a line of invalid UTF-8 stays bytes",
       std::string(MARK_UTF8) + "Zo\xC3\xAB\n\xC4rger\xC3\n",
       ",",
       {"Zo\xC3\xAB", "\xC4rger\xC3"},
       1},
      {"UTF-16 LE with a mark",
       Utf16File(u"Stadt\tZo\u00EB\r\n\r\n\u041E\u0442\u0447\u0451\u0442\t\u02A4\r\n"),
       "\t",
       {"Stadt\nZo\xC3\xAB", "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82\n\xCA\xA4"},
       2},
      {"UTF-16 BE", Utf16File(u"a;\u00DF\nb", true), ";", {"a\n\xC3\x9F", "b"}, 2},
      {"UTF-16 line ends", Utf16File(std::u16string(u"a\rb\nc\r\nd\0e\n\r", 13)), ",", {"a", "b", "c", "d", "e"}, 5},
      {"UTF-16 odd last byte", Utf16File(u"ab\n") + "c", ",", {"ab", "\xEF\xBF\xBD"}, 2},
      {"a mark alone", MARK_UTF8, ",", {}},
      {"a UTF-16 mark alone", "\xFF\xFE", ",", {}},
      {"a separator outside ASCII",
       "a\xC2\xA7"
       "b\n",
       "\xA7",
       {"a\nb"},
       1},
      {"a separator outside ASCII in UTF-16", Utf16File(u"c\u00A7d"), "\xA7", {"c\nd"}, 1},
      {"a separator of the code page's own", Utf16File(u"1\u20AC2"), "\x80", {"1\n2"}, 1},
  };
  for (const LoadCase &c : cases) {
    SCOPED_TRACE(c.what);
    ResetFakes();
    TempFile file(".csv", c.bytes);
    LoadCsvFile(file.path(), c.separator);
    EXPECT_EQ(Fake.clearCount, 1);
    EXPECT_EQ(Fake.otherGadgetCalls, 0);
    EXPECT_EQ(Fake.rows, c.rows);
    EXPECT_EQ(Fake.wideRows, c.wideRows);
    ExpectCountMessage(static_cast<int>(c.rows.size()));
    EXPECT_EQ(ScratchPos, scratchBefore);
  }
}

std::string Repeated(const std::string &line, int count) {
  std::string lines;
  for (int i = 0; i < count; i++) {
    lines += line;
  }
  return lines;
}

std::string GuessOf(const char *path) {
  int32_t pos = ScratchPos;
  SeparatorGuess(path, nullptr, pos);
  std::string guess(ScratchAt(pos));
  EXPECT_EQ(ScratchPos, pos + static_cast<int32_t>(guess.size()));
  ScratchSetPos(pos);
  return guess;
}

// The guess reads the lines as the load does: decoded, empty ones skipped.
TEST_F(CsvLoaderTest, GuessesTheSeparatorFromTheFirstLines) {
  const struct {
    const char *what;
    std::string bytes;
    const char *guess;
  } cases[] = {
      {"code page 1252 with decimal commas",
       "Stadt;Fl\xE4"
       "che\r\nM\xFCnchen;310,7\r\n\r\nK\xF6ln;405,0\r\n",
       ";"},
      {"UTF-16 with TABs", Utf16File(u"Stadt\tFl\u00E4che\r\nM\u00FCnchen\t310,7\r\n"), "\t"},
      {"commas", "a,b,c\n1,2,3\n", ","},
      {"pipes", "a|b\nc|d\n", "|"},
      {"TABs in UTF-8", "\xC3\xA4\tb\nc\td\n", "\t"},
      {"one field a line", "abc\ndef\n", ","},
      {"empty file", "", ","},
      {"a tie goes by the order", "a,b;c\nd,e;f\n", ","},
      {"equal on every line beats more", "a,b;c;d;e\nf,g;h\n", ","},
      {"the most a line among the even", "a;b;c,d\ne;f;g,h\n", ";"},
      {"none even: the most", "a;b\nc;d;e\nf\n", ";"},
      {"sep= names it", "sep=|\na,b\n", "|"},
      {"sep= of a character beyond ASCII", std::string(MARK_UTF8) + "sep=\xC2\xA7\na,b\n", "\xA7"},
      {"the same in UTF-8 without a mark", "sep=\xC2\xA7\na,b\n", "\xA7"},
      {"the same in code page 1252", "sep=\xA7\na,b\n", "\xA7"},
      {"sep= only on the first line", "a;b\nsep=|\n", ";"},
      {"the first hundred lines", Repeated("a;b\n", 100) + Repeated("a,b,c,d,e\n", 200), ";"},
      {"the first 64 KB", Repeated(std::string(1000, 'x') + ";y\n", 70) + Repeated("a,b,c,d,e\n", 100), ";"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    TempFile file(".csv", c.bytes);
    EXPECT_EQ(GuessOf(file.path()), c.guess);
    EXPECT_EQ(RegistryLookup(FileRegistry, FILE_CSV), nullptr);
  }
  TempFile missing(".csv");
  EXPECT_EQ(GuessOf(missing.path()), ",");
  EXPECT_EQ(Fake.messageCount, 0);
}

TEST_F(CsvLoaderTest, ReadsManyAndLongLines) {
  std::string bytes;
  std::vector<std::string> rows;
  for (int i = 0; i < 3000; i++) {
    std::string field(static_cast<size_t>(i % 7 == 0 ? 9000 : i % 50), 'x');
    bytes += std::to_string(i) + ";" + field + "\r\n";
    rows.push_back(std::to_string(i) + "\n" + field);
  }
  TempFile file(".csv", bytes);
  LoadCsvFile(file.path(), ";");
  EXPECT_EQ(Fake.rows, rows);
  ExpectCountMessage(3000);
  EXPECT_EQ(ScratchPos, scratchBefore);
}

// The caller's texts may lie in the scratch buffer, which moves as lines are
// read; the loader works on its own copies.
TEST_F(CsvLoaderTest, ArgumentsInsideTheScratchBuffer) {
  TempFile file(".csv", "a|b\n" + std::string(40000, 'y') + "|z\n");
  int32_t pathPos = ScratchPos;
  StrAppendScratch(file.path());
  int32_t separatorPos = ScratchPos + 1;
  ScratchPos = separatorPos;
  StrAppendScratch("|");
  ScratchPos = ScratchPos + 1;
  LoadCsvFile(ScratchAt(pathPos), ScratchAt(separatorPos));
  ScratchSetPos(pathPos);
  ASSERT_EQ(Fake.rows.size(), 2u);
  EXPECT_EQ(Fake.rows[0], "a\nb");
  EXPECT_EQ(Fake.rows[1], std::string(40000, 'y') + "\nz");
  ExpectCountMessage(2);
  EXPECT_EQ(ScratchPos, scratchBefore);
}

// Whatever keeps the file from being read empties the list and says so.
TEST_F(CsvLoaderTest, FileThatCannotBeOpenedEmptiesTheListAndSaysSo) {
  TempFile missing(".csv");
  TempFile held(".csv", "a,b\n");
  HANDLE holder = CreateFileA(held.path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::string missingDirectory = TempMissingDirectoryPath();
  const char *paths[] = {missing.path(), held.path(), missingDirectory.c_str(), "", nullptr};
  for (const char *path : paths) {
    SCOPED_TRACE(path ? path : "null path");
    ResetFakes();
    LoadCsvFile(path, ",");
    EXPECT_EQ(Fake.clearCount, 1);
    EXPECT_TRUE(Fake.rows.empty());
    EXPECT_EQ(Fake.messageCount, 1);
    EXPECT_EQ(Fake.messageTitle, "Fehler !");
    EXPECT_EQ(Fake.messageText, "Datei nicht lesbar !");
    EXPECT_EQ(Fake.messageFlags, 0u);
    EXPECT_EQ(ScratchPos, scratchBefore);
  }
  CloseHandle(holder);
  // A viewer never creates what it was asked to read.
  EXPECT_FALSE(missing.Exists());
}

TEST_F(CsvLoaderTest, ReadOnlyFileIsRead) {
  TempFile file(".csv", "a,b\n");
  file.MakeReadOnly();
  SKIP_UNLESS_READ_ONLY_ENFORCED(file.path());
  LoadCsvFile(file.path(), ",");
  EXPECT_EQ(Fake.rows, std::vector<std::string>{"a\nb"});
  ExpectCountMessage(1);
  EXPECT_EQ(ScratchPos, scratchBefore);
}

// The first row the list refuses ends the load: the file is closed and the
// message says how many rows the list holds instead of passing for a count.
TEST_F(CsvLoaderTest, RowTheListRefusesEndsTheLoad) {
  TempFile file(".csv", "1\n\n2\n3\n4\n");
  for (int32_t taken : {0, 2, 3}) {
    SCOPED_TRACE(taken);
    ResetFakes();
    Fake.rowsTaken = taken;
    LoadCsvFile(file.path(), ",");
    EXPECT_EQ(Fake.addCalls, taken + 1);
    EXPECT_EQ(static_cast<int32_t>(Fake.rows.size()), taken);
    ExpectScratchMessage("Fehler !", "Zu wenig Speicher - nur " + std::to_string(taken) + " Zeilen gelesen !");
    EXPECT_EQ(RegistryLookup(FileRegistry, FILE_CSV), nullptr);
    EXPECT_EQ(ScratchPos, scratchBefore);
  }
  // A list that takes the last row takes the file whole.
  ResetFakes();
  Fake.rowsTaken = 4;
  LoadCsvFile(file.path(), ",");
  ExpectCountMessage(4);
}

struct StopCase {
  int32_t stopAtRows;
  int32_t answer;
  const char *message; // null: no message
};

// A load stopped by the user keeps the rows read so far and closes the file;
// Esc says how many rows the list holds, the close box or "Ende" says
// nothing. A stop asked for with the last line read is too late to matter.
TEST_F(CsvLoaderTest, StoppedLoadKeepsTheRowsReadAndClosesTheFile) {
  TempFile file(".csv", "1\n\n2\n3\n4\n");
  const StopCase cases[] = {
      {1, LOAD_STOP_ASKED, "Abgebrochen - nur 1 Zeilen gelesen !"},
      {3, LOAD_STOP_ASKED, "Abgebrochen - nur 3 Zeilen gelesen !"},
      {1, LOAD_QUIT_ASKED, nullptr},
      {2, LOAD_QUIT_ASKED, nullptr},
      {4, LOAD_STOP_ASKED, "4 Zeilen gelesen !"},
  };
  for (const StopCase &c : cases) {
    SCOPED_TRACE(c.stopAtRows);
    ResetFakes();
    Fake.stopAtRows = c.stopAtRows;
    Fake.stopAnswer = c.answer;
    LoadCsvFile(file.path(), ",");
    EXPECT_EQ(static_cast<int32_t>(Fake.rows.size()), c.stopAtRows);
    EXPECT_EQ(RegistryLookup(FileRegistry, FILE_CSV), nullptr);
    EXPECT_EQ(Fake.progressBegun, 0);
    if (c.message) {
      ExpectScratchMessage("Anzahl Zeilen", c.message);
    } else {
      EXPECT_EQ(Fake.messageCount, 0);
    }
    EXPECT_EQ(ScratchPos, scratchBefore);
  }
}

TEST_F(CsvLoaderTest, StoppedLoadsLeaveNothingBehind) {
  TempFile file(".csv", "a,b\nc,d\ne,f\n");
  Fake.stopAtRows = 2;
  Fake.stopAnswer = LOAD_STOP_ASKED;
  LoadCsvFile(file.path(), ",");
  const SIZE_T programBytes = HeapBytesInUse(ProgramHeap);
  const SIZE_T stringBytes = HeapBytesInUse(StringHeap);
  for (int i = 0; i < 200; i++) {
    Fake.messageCount = 0;
    Fake.stopAnswer = i % 2 ? LOAD_STOP_ASKED : LOAD_QUIT_ASKED;
    LoadCsvFile(file.path(), ",");
    ASSERT_EQ(Fake.rows.size(), 2u);
  }
  EXPECT_EQ(HeapBytesInUse(ProgramHeap), programBytes);
  EXPECT_EQ(HeapBytesInUse(StringHeap), stringBytes);
  EXPECT_EQ(ScratchPos, scratchBefore);
}

} // namespace
