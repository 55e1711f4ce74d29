#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/requesters/dialog_answer.h"
#include "tests/support/import_patch.h"
#include "tests/support/small_program_heap.h"
#include "tests/requesters/test_windows.h"
#include "tests/support/temp_files.h"
#include "toolkit/requesters/requesters.h"
#include "toolkit/strings/string_engine.h"

#include <commdlg.h>
#include <dlgs.h>

namespace {

// What the toolkit handed to the platform's dialog, seen from inside the call.
struct OpenFileCall {
  int count;
  DWORD structSize;
  HWND owner;
  std::wstring filter; // NULs shown as '|', up to the closing pair
  DWORD filterIndex;
  std::wstring fileName;
  DWORD maxFile;
  bool hasInitialDir;
  std::wstring initialDir;
  std::wstring title;
  DWORD flags;
  size_t disabledEntries;
};

typedef BOOL(WINAPI *OpenFileRoutine)(LPOPENFILENAMEW);
OpenFileRoutine PlatformOpenFile;
OpenFileCall LastCall;
// Null: the platform's dialog runs; "": the dialog is cancelled; otherwise
// the path the user is taken to have chosen.
const wchar_t *StandInChoice;

size_t DisabledEntriesCount() {
  size_t count = 0;
  for (void *entry = HeapListNewest(&DisabledWindowList); entry; entry = HeapListOlder(entry)) {
    ++count;
  }
  return count;
}

BOOL WINAPI OpenFileRecord(LPOPENFILENAMEW description) {
  OpenFileCall &call = LastCall;
  ++call.count;
  call.structSize = description->lStructSize;
  call.owner = description->hwndOwner;
  call.filter.clear();
  for (const wchar_t *at = description->lpstrFilter; at; ++at) {
    call.filter += *at ? *at : L'|';
    if (!at[0] && !at[1]) {
      call.filter += L'|';
      break;
    }
  }
  call.filterIndex = description->nFilterIndex;
  call.fileName = description->lpstrFile;
  call.maxFile = description->nMaxFile;
  call.hasInitialDir = description->lpstrInitialDir != nullptr;
  call.initialDir = call.hasInitialDir ? description->lpstrInitialDir : L"";
  call.title = description->lpstrTitle ? description->lpstrTitle : L"(none)";
  call.flags = description->Flags;
  call.disabledEntries = DisabledEntriesCount();
  if (!StandInChoice) {
    return PlatformOpenFile(description);
  }
  wcscpy(description->lpstrFile, StandInChoice);
  return *StandInChoice != L'\0';
}

class FileDialog : public testing::Test {
protected:
  void SetUp() override {
    LastCall = OpenFileCall{};
    StandInChoice = nullptr;
    PlatformOpenFile = reinterpret_cast<OpenFileRoutine>(
        ImportReplace("comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void *>(OpenFileRecord)));
    ASSERT_NE(PlatformOpenFile, nullptr);
    start = ScratchPos;
    StrAppendScratch("kept");
    pos = ScratchPos;
  }
  void TearDown() override {
    ImportReplace("comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void *>(PlatformOpenFile));
    ScratchSetPos(start);
  }
  // Runs the dialog as the viewer does and returns its string result.
  std::string Ask(const char *preset, const char *pattern, int32_t patternIndex) {
    AskOpenFileName("Datei \xF6"
                    "ffnnen",
                    preset, pattern, patternIndex, pos);
    EXPECT_EQ(std::string(ScratchAt(start), 4), "kept");
    std::string result = ScratchAt(pos);
    EXPECT_EQ(ScratchPos, pos + static_cast<int32_t>(result.size()));
    return result;
  }
  int32_t start = 0;
  int32_t pos = 0;
};

TEST_F(FileDialog, DescribesTheDialogToThePlatform) {
  TestWindow other, front;
  bool foreground = ForegroundSet(front.handle);
  StandInChoice = L"";
  Ask("C:\\meinecvs.csv", "Csv (*.csv)|*.csv", 0);
  ASSERT_EQ(LastCall.count, 1);
  EXPECT_EQ(LastCall.structSize, OPENFILENAME_SIZE_VERSION_400W);
  if (sizeof(void *) == 4) {
    EXPECT_EQ(LastCall.structSize, 76u);
  }
  if (foreground) {
    EXPECT_EQ(LastCall.owner, front.handle);
    // The thread's other window was disabled only while the dialog ran.
    EXPECT_EQ(LastCall.disabledEntries, 1u);
  }
  EXPECT_EQ(LastCall.filter, L"Csv (*.csv)|*.csv||");
  EXPECT_EQ(LastCall.filterIndex, 1u);
  EXPECT_EQ(LastCall.fileName, L"meinecvs.csv");
  EXPECT_EQ(LastCall.maxFile, 260u);
  EXPECT_TRUE(LastCall.hasInitialDir);
  EXPECT_EQ(LastCall.initialDir, L"C:");
  // The code page 1252 title in wide characters.
  EXPECT_EQ(LastCall.title, L"Datei \u00F6ffnnen");
  EXPECT_EQ(LastCall.flags, static_cast<DWORD>(OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR |
                                               OFN_HIDEREADONLY));
  EXPECT_TRUE(IsWindowEnabled(other.handle));
  EXPECT_EQ(HeapListNewest(&DisabledWindowList), nullptr);

  Ask(nullptr, "A|*.a|B|*.b", 1);
  EXPECT_EQ(LastCall.filterIndex, 2u);
  EXPECT_FALSE(LastCall.hasInitialDir);
  EXPECT_EQ(LastCall.fileName, L"");
  EXPECT_EQ(LastCall.filter, L"A|*.a|B|*.b||");
}

// The 8-bit result is the chosen path in the code page; the wide one is the
// path as the dialog gave it, also where the code page has only a look-alike.
TEST_F(FileDialog, WritesTheChosenPathOrNothingAtThePosition) {
  std::wstring longest = L"C:\\" + std::wstring(252, L'x') + L".csv";
  ASSERT_EQ(longest.size(), 259u);
  const struct {
    std::wstring chosen;
    std::string result;
  } cases[] = {
      {L"C:\\Daten\\liste.csv", "C:\\Daten\\liste.csv"},
      {L"C:\\Daten\\M\u00FCller.csv", "C:\\Daten\\M\xFCller.csv"},
      {L"C:\\Daten\\\u0101.csv", "C:\\Daten\\a.csv"},
      {L"\\\\server\\share\\\u0101.csv", "\\\\server\\share\\a.csv"},
      {longest, std::string(longest.begin(), longest.end())},
      {L"", ""},
  };
  for (const auto &c : cases) {
    StandInChoice = c.chosen.c_str();
    EXPECT_EQ(Ask("C:\\meinecvs.csv", "Csv (*.csv)|*.csv", 0), c.result);
    EXPECT_EQ(std::wstring(AskOpenFileNameWide()), c.chosen);
  }
}

TEST_F(FileDialog, ShowsNoDialogWithoutItsBuffers) {
  // No room for the file name; then room for it and the filter but not for a
  // long preset's directory.
  std::string longPreset = "C:\\" + std::string(8000, 'd') + "\\x.csv";
  for (bool filled : {true, false}) {
    SmallProgramHeap small(filled);
    StandInChoice = L"C:\\chosen.csv";
    EXPECT_EQ(Ask(longPreset.c_str(), "Csv (*.csv)|*.csv", 0), "");
    EXPECT_EQ(LastCall.count, 0);
  }
}

TEST_F(FileDialog, ShowsThePresetAndPreselectsThePattern) {
  struct Case {
    const char *preset;
    const char *pattern;
    int32_t index;
    const char *fileName;
    int filters;
    int selected;
  } cases[] = {
      {"C:\\meinecvs.csv", "Csv (*.csv)|*.csv", 0, "meinecvs.csv", 1, 0},
      {"meinecvs.csv", "Csv (*.csv)|*.csv|Text (*.txt)|*.txt|Alle|*.*", 1, "meinecvs.csv", 3, 1},
      {"C:\\*.csv", "Csv (*.csv)|*.csv|Text (*.txt)|*.txt", 0, "", 2, 0},
      {"C:\\windows\\", nullptr, 0, "", 0, -1},
      {"\\meinecvs.csv", "", 0, "", 0, -1},
  };
  for (const Case &test : cases) {
    std::string shown, selectedText;
    std::wstring folder;
    LRESULT filters = -2, selected = -2;
    std::thread answer = DialogAnswerStart([&](HWND dialog) {
      shown = WindowTextRead(GetDlgItem(dialog, cmb13));
      HWND filterBox = GetDlgItem(dialog, cmb1);
      filters = SendMessageA(filterBox, CB_GETCOUNT, 0, 0);
      selected = SendMessageA(filterBox, CB_GETCURSEL, 0, 0);
      wchar_t path[MAX_PATH] = L"";
      SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
      folder = path;
      DialogButtonPress(dialog, IDCANCEL);
    });
    EXPECT_EQ(Ask(test.preset, test.pattern, test.index), "") << test.preset;
    answer.join();
    EXPECT_EQ(LastCall.count, 1);
    LastCall.count = 0;
    EXPECT_EQ(shown, test.fileName) << test.preset;
    EXPECT_EQ(filters, test.filters) << test.preset;
    EXPECT_EQ(selected, test.selected) << test.preset;
    printf("[ INFO ] preset %s: the dialog shows folder %ls\n", test.preset, folder.c_str());
  }
}

TEST_F(FileDialog, ReturnsTheFullPathOfTheChosenFile) {
  TempFile file(" gew\xE4hlt.csv", "a,b\n");
  std::string path = file.path();
  size_t backslash = path.find_last_of('\\');
  std::string directory = path.substr(0, backslash), name = path.substr(backslash + 1);

  // Confirmed as preset, and typed over another preset.
  for (bool typed : {false, true}) {
    std::thread answer = DialogAnswerStart([&](HWND dialog) {
      if (typed) {
        SendMessageA(GetDlgItem(dialog, cmb13), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
      }
      DialogButtonPress(dialog, IDOK);
    });
    std::string preset = typed ? directory + "\\missing.csv" : path;
    std::string chosen = Ask(preset.c_str(), "Csv (*.csv)|*.csv", 0);
    answer.join();
    EXPECT_EQ(lstrcmpiA(chosen.c_str(), path.c_str()), 0) << chosen << " instead of " << path;
  }
}

// Typed as a full path beside its look-alike, the name the code page cannot
// spell comes back as it is on disk, and so does the other. (Wine's dialog
// takes no network path: it says the path does not exist.)
TEST_F(FileDialog, ReturnsTheChosenNameBesideItsLookAlike) {
  TempFolder folder;
  folder.Add(L"a.csv", "a\n");
  folder.Add(L"\u0101.csv", "macron\n");
  for (const std::wstring &chosen : {folder.Path(L"\u0101.csv"), folder.Path(L"a.csv")}) {
    std::thread answer = DialogAnswerStart([&](HWND dialog) {
      SendMessageW(GetDlgItem(dialog, cmb13), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
      DialogButtonPress(dialog, IDOK);
    });
    std::string result = Ask("C:\\meinecvs.csv", "Csv (*.csv)|*.csv", 0);
    answer.join();
    EXPECT_NE(result, "");
    EXPECT_EQ(std::wstring(AskOpenFileNameWide()), chosen);
  }
}

} // namespace
