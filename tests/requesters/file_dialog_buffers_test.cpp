#include <gtest/gtest.h>

#include <string>

#include "toolkit/requesters/file_dialog_buffers.h"

// The filter list up to and including its closing NUL pair, '|' for each NUL.
static std::string FilterShown(const char *filter) {
  std::string shown;
  for (const char *at = filter;; ++at) {
    shown += *at ? *at : '|';
    if (!at[0] && !at[1]) {
      return shown + '|';
    }
  }
}

TEST(FileDialogBuffers, PresetSplitsAtTheLastBackslashAfterTheFirstCharacter) {
  struct Case {
    const char *preset;
    const char *fileName;
    const char *directory; // null: no directory buffer
  } cases[] = {
      {"C:\\meinecvs.csv", "meinecvs.csv", "C:"},
      {"meinecvs.csv", "meinecvs.csv", ""},
      {"\\meinecvs.csv", "", ""}, // the backslash stays in the name and makes it invalid
      {"C:\\Daten\\", "", "C:\\Daten"},
      {"C:\\Daten\\*.csv", "", "C:\\Daten"},
      {"C:\\Daten\\Liste 2026.csv", "Liste 2026.csv", "C:\\Daten"},
      {"\\\\server\\share\\a.csv", "a.csv", "\\\\server\\share"},
      {"a:b.csv", "", ""},
      {"", "", nullptr},
      {nullptr, "", nullptr},
  };
  for (const Case &test : cases) {
    FileDialogBuffers buffers;
    ASSERT_EQ(FileDialogBuffersPrepare(&buffers, test.preset, nullptr), 1);
    const char *preset = test.preset ? test.preset : "(null)";
    EXPECT_STREQ(buffers.fileName, test.fileName) << preset;
    if (test.directory) {
      ASSERT_NE(buffers.directory, nullptr) << preset;
      EXPECT_STREQ(buffers.directory, test.directory) << preset;
    } else {
      EXPECT_EQ(buffers.directory, nullptr) << preset;
    }
    FileDialogBuffersFree(&buffers);
    EXPECT_EQ(buffers.fileName, nullptr);
  }
}

TEST(FileDialogBuffers, FileNamePartTooLongForTheBufferIsDropped) {
  struct Case {
    size_t nameLength;
    bool kept;
  } cases[] = {{258, true}, {259, true}, {260, false}, {261, false}, {1000, false}};
  for (const Case &test : cases) {
    std::string name(test.nameLength - 4, 'n');
    name += ".csv";
    for (std::string preset : {name, "C:\\Daten\\" + name}) {
      FileDialogBuffers buffers;
      ASSERT_EQ(FileDialogBuffersPrepare(&buffers, preset.c_str(), nullptr), 1);
      EXPECT_EQ(std::string(buffers.fileName), test.kept ? name : "") << preset.size();
      // The name never runs past its buffer.
      EXPECT_EQ(buffers.fileName[FILE_DIALOG_NAME_SIZE - 1], '\0');
      FileDialogBuffersFree(&buffers);
    }
  }
}

TEST(FileDialogBuffers, PatternBecomesTheFilterList) {
  struct Case {
    const char *pattern;
    const char *filter;
  } cases[] = {
      {nullptr, "||"},
      {"", "||"},
      {"Csv (*.csv)|*.csv", "Csv (*.csv)|*.csv||"},
      {"Csv|*.csv|Text|*.txt;*.tab|Alle|*.*", "Csv|*.csv|Text|*.txt;*.tab|Alle|*.*||"},
  };
  for (const Case &test : cases) {
    FileDialogBuffers buffers;
    ASSERT_EQ(FileDialogBuffersPrepare(&buffers, "x.csv", test.pattern), 1);
    EXPECT_EQ(FilterShown(buffers.filter), test.filter) << (test.pattern ? test.pattern : "(null)");
    FileDialogBuffersFree(&buffers);
  }
}
