// The loading logic against a recording list and message box: which rows
// reach the list, the count message, and the scratch buffer around them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/csv_loader.h"
#include "app/load_progress.h"
#include "app/viewer_numbers.h"
#include "tests/app/fake_list_and_message.h"
#include "tests/support/heap_use.h"
#include "tests/support/read_only.h"
#include "tests/support/temp_files.h"
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
  std::vector<std::string> rows;
};

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
  };
  for (const LoadCase &c : cases) {
    SCOPED_TRACE(c.what);
    ResetFakes();
    TempFile file(".csv", c.bytes);
    LoadCsvFile(file.path(), c.separator);
    EXPECT_EQ(Fake.clearCount, 1);
    EXPECT_EQ(Fake.otherGadgetCalls, 0);
    EXPECT_EQ(Fake.rows, c.rows);
    ExpectCountMessage(static_cast<int>(c.rows.size()));
    EXPECT_EQ(ScratchPos, scratchBefore);
  }
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
