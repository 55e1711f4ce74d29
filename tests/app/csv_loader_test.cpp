// The loading logic against a recording list and message box: which rows
// reach the list, the count message, and the scratch buffer around them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/csv_loader.h"
#include "tests/app/fake_list_and_message.h"
#include "tests/support/read_only.h"
#include "tests/support/temp_files.h"
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
    EXPECT_EQ(Fake.messageCount, 1);
    EXPECT_EQ(Fake.messageTitle, "Anzahl Zeilen");
    EXPECT_EQ(Fake.messageText, std::to_string(count) + " Zeilen gelesen !");
    EXPECT_EQ(Fake.messageFlags, 0u);
    EXPECT_TRUE(Fake.messageAtScratchEnd);
    EXPECT_TRUE(Fake.messageSurvivedScratchWork);
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

TEST_F(CsvLoaderTest, PathThatCannotBeOpenedLeavesTheListEmptyWithoutMessage) {
  const std::string missingDirectory = TempMissingDirectoryPath();
  const char *paths[] = {missingDirectory.c_str(), "", nullptr};
  for (const char *path : paths) {
    SCOPED_TRACE(path ? path : "null path");
    ResetFakes();
    LoadCsvFile(path, ",");
    EXPECT_EQ(Fake.clearCount, 1);
    EXPECT_TRUE(Fake.rows.empty());
    EXPECT_EQ(Fake.messageCount, 0);
    EXPECT_EQ(ScratchPos, scratchBefore);
  }
}

// The file is opened for writing as well, so a read-only file is refused.
TEST_F(CsvLoaderTest, ReadOnlyFileIsRefused) {
  TempFile file(".csv", "a,b\n");
  file.MakeReadOnly();
  SKIP_UNLESS_READ_ONLY_ENFORCED(file.path());
  LoadCsvFile(file.path(), ",");
  EXPECT_TRUE(Fake.rows.empty());
  EXPECT_EQ(Fake.messageCount, 0);
  EXPECT_EQ(ScratchPos, scratchBefore);
}

TEST_F(CsvLoaderTest, NameOfNoFileIsCreatedEmpty) {
  TempFile file(".csv");
  LoadCsvFile(file.path(), ",");
  EXPECT_TRUE(Fake.rows.empty());
  ExpectCountMessage(0);
  HANDLE created =
      CreateFileA(file.path(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);
  EXPECT_EQ(file.Read(), "");
}

} // namespace
