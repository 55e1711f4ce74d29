// The shipped viewer driven from outside, as a user would: its window, the
// file dialog and message boxes, the rows it shows and how it ends.
// Usage: e2e_viewer_tests <path of csvview.exe>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include "app/viewer_list.h"
#include "app/viewer_numbers.h"
#include "tools/driver/remote_viewer.h"
#include "tests/support/read_only.h"
#include "tests/support/temp_files.h"
#include "tests/support/utf_text.h"

namespace {

std::string ViewerExePath;
const DWORD WAIT_MS = 20000;
// How long a message that should not come is waited for.
const DWORD QUIET_MS = 1000;

typedef std::vector<std::vector<std::string>> Rows;

// A generated file of short four-field rows.
std::string ManyRows(int32_t rows) {
  std::string bytes;
  for (int32_t row = 0; row < rows; row++) {
    bytes += std::to_string(row) + ",Wert " + std::to_string(row % 97) + ",12.5,M\xFCnchen\r\n";
  }
  return bytes;
}

class ViewerTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(RemoteViewerStart(&viewer, ViewerExePath, WAIT_MS)) << ViewerExePath; }
  void TearDown() override { RemoteViewerRelease(&viewer); }

  HWND Gadget(int32_t number) { return RemoteViewerGadget(&viewer, number); }
  Rows ListRows() { return RemoteListRows(&viewer, Gadget(GADGET_LIST), 4); }
  std::string Load(const TempFile &file) { return RemoteViewerLoad(&viewer, file.path(), WAIT_MS); }
  // The message after a load as "title: text".
  std::string LoadMessage(const char *path, DWORD timeoutMs = WAIT_MS) {
    std::string title;
    std::string text = RemoteViewerLoad(&viewer, path, timeoutMs, &title);
    return title + ": " + text;
  }
  void ExpectEndsWithExitCodeZero() {
    EXPECT_EQ(RemoteViewerWaitExit(&viewer, WAIT_MS), 0u);
    EXPECT_FALSE(IsWindow(viewer.window));
  }

  RemoteViewer viewer;
};

struct GadgetLayout {
  int32_t number;
  const char *className;
  const char *text;
  RECT rect; // in the window's client coordinates
};

TEST_F(ViewerTest, OpensCentredWithItsGadgetsInPlace) {
  EXPECT_EQ(RemoteWindowText(viewer.window), "");
  LONG_PTR style = GetWindowLongPtrA(viewer.window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU);
  RECT client;
  GetClientRect(viewer.window, &client);
  EXPECT_EQ(client.right, 500);
  EXPECT_EQ(client.bottom, 400);
  RECT outer;
  GetWindowRect(viewer.window, &outer);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

  const GadgetLayout layout[] = {
      {GADGET_LIST, "SysListView32", "", {5, 5, 795, 305}},
      {GADGET_START, "Button", "Start", {5, 310, 65, 330}},
      {GADGET_END, "Button", "Ende", {160, 310, 220, 330}},
      {GADGET_SEPARATOR_LABEL, "Static", "Feldtrenner (, ;)", {5, 340, 105, 360}},
      {GADGET_SEPARATOR_FIELD, "Edit", ",", {105, 340, 145, 360}},
  };
  for (const GadgetLayout &expected : layout) {
    SCOPED_TRACE(expected.className);
    HWND control = Gadget(expected.number);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetDlgCtrlID(control), expected.number);
    char className[64] = "";
    GetClassNameA(control, className, sizeof className);
    EXPECT_STREQ(className, expected.className);
    EXPECT_EQ(RemoteWindowText(control), expected.text);
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, viewer.window, reinterpret_cast<POINT *>(&rect), 2);
    EXPECT_EQ(rect.left, expected.rect.left);
    EXPECT_EQ(rect.top, expected.rect.top);
    EXPECT_EQ(rect.right, expected.rect.right);
    EXPECT_EQ(rect.bottom, expected.rect.bottom);
  }
  EXPECT_EQ(Gadget(3), nullptr);

  HWND list = Gadget(GADGET_LIST);
  LONG_PTR listStyle = GetWindowLongPtrA(list, GWL_STYLE);
  EXPECT_EQ(listStyle & (LVS_TYPEMASK | LVS_SHOWSELALWAYS | LVS_SINGLESEL), LVS_REPORT | LVS_SHOWSELALWAYS);
  EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & VIEWER_LIST_EXTENDED_STYLE,
            VIEWER_LIST_EXTENDED_STYLE);
  ASSERT_EQ(RemoteListColumnCount(list), 4);
  const char *titles[] = {"Wert 1", "Wert 2", "Wert 3", "Wert 4"};
  for (int32_t column = 0; column < 4; column++) {
    std::string title;
    int32_t width = 0;
    ASSERT_TRUE(RemoteListColumn(&viewer, list, column, &title, &width));
    EXPECT_EQ(title, titles[column]);
    EXPECT_EQ(width, 100);
  }
  EXPECT_EQ(RemoteListCount(list), 0);
}

TEST_F(ViewerTest, LoadsTheChosenFileWithTheTypedSeparator) {
  TempFile semicolons(".csv", "a;b;c\r\n\r\nx;y\r\n 1;2;3;4;5\r\n");
  RemoteSetText(Gadget(GADGET_SEPARATOR_FIELD), ";");
  RemoteClick(Gadget(GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, WAIT_MS);
  ASSERT_NE(dialog, nullptr) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_EQ(RemoteWindowText(dialog), "Datei \xF6"
                                      "ffnnen");
  EXPECT_EQ(RemoteFileDialogName(dialog), "meinecvs.csv");
  RemoteFileDialogChoose(dialog, semicolons.path());
  RemoteWindowWaitHidden(dialog, WAIT_MS);
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
  ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_EQ(RemoteWindowText(box), "Anzahl Zeilen");
  EXPECT_EQ(RemoteMessageText(box), "3 Zeilen gelesen !");
  RemoteMessageConfirm(box);
  ASSERT_TRUE(RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS));
  EXPECT_EQ(ListRows(), (Rows{{"a", "b", "c", ""}, {"x", "y", "", ""}, {" 1", "2", "3", "4"}}));

  // The field is read at each press; a separator of two bytes is used whole,
  // and the list is emptied before the next file fills it.
  TempFile twoByteSeparator(".csv", "a; b;c\nM\xFCnchen; \xC4rger\n");
  RemoteSetText(Gadget(GADGET_SEPARATOR_FIELD), "; ");
  EXPECT_EQ(Load(twoByteSeparator), "2 Zeilen gelesen !");
  EXPECT_EQ(ListRows(), (Rows{{"a", "b;c", "", ""}, {"M\xFCnchen", "\xC4rger", "", ""}}));

  RemoteClick(Gadget(GADGET_END));
  ExpectEndsWithExitCodeZero();
}

TEST_F(ViewerTest, CancelAndEmptySeparatorLeaveTheListAsItWas) {
  TempFile twoRows(".csv", "1,2\n3,4\n");
  ASSERT_EQ(Load(twoRows), "2 Zeilen gelesen !");
  const Rows loaded = {{"1", "2", "", ""}, {"3", "4", "", ""}};

  RemoteClick(Gadget(GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, WAIT_MS);
  ASSERT_NE(dialog, nullptr) << RemoteViewerDescribeWindows(&viewer);
  RemoteFileDialogCancel(dialog);
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
  ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_EQ(RemoteWindowText(box), "Fehler !");
  EXPECT_EQ(RemoteMessageText(box), "Kein Quell - Ordner gew\xE4"
                                    "hlt !");
  RemoteMessageConfirm(box);
  ASSERT_TRUE(RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS));
  EXPECT_EQ(ListRows(), loaded);

  // Activating the list, the label or the field starts nothing.
  RemoteClick(Gadget(GADGET_LIST));
  RemoteClick(Gadget(GADGET_SEPARATOR_LABEL));
  RemoteClick(Gadget(GADGET_SEPARATOR_FIELD));
  EXPECT_EQ(RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, QUIET_MS), nullptr);

  TempFile oneRow(".csv", "5,6\n");
  RemoteSetText(Gadget(GADGET_SEPARATOR_FIELD), "");
  RemoteClick(Gadget(GADGET_START));
  dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, WAIT_MS);
  ASSERT_NE(dialog, nullptr) << RemoteViewerDescribeWindows(&viewer);
  RemoteFileDialogChoose(dialog, oneRow.path());
  ASSERT_TRUE(RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_FILE, WAIT_MS));
  EXPECT_EQ(RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, QUIET_MS), nullptr);
  EXPECT_EQ(ListRows(), loaded);

  PostMessageA(viewer.window, WM_CLOSE, 0, 0);
  ExpectEndsWithExitCodeZero();
}

TEST_F(ViewerTest, CloseBoxEndsTheProgram) {
  PostMessageA(viewer.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectEndsWithExitCodeZero();
}

// The viewer only reads: a read-only file loads like any other.
TEST_F(ViewerTest, ReadOnlyFileLoadsWithTheCountMessage) {
  TempFile readOnly(".csv", "a,b\nc,d\n");
  readOnly.MakeReadOnly();
  SKIP_UNLESS_READ_ONLY_ENFORCED(readOnly.path());
  EXPECT_EQ(Load(readOnly), "2 Zeilen gelesen !");
  EXPECT_EQ(ListRows(), (Rows{{"a", "b", "", ""}, {"c", "d", "", ""}}));
}

struct HolderCase {
  const char *what;
  DWORD access;
  DWORD shareMode;
  const char *message;
  Rows rows;
};

// Another program holding the file: one that lets others read it (as a
// spreadsheet does, while it may write) does not keep the viewer out; one
// that shares nothing does, and the viewer says so with an empty list.
TEST_F(ViewerTest, FileHeldByAnotherProgram) {
  const HolderCase cases[] = {
      {"held for writing, reading shared",
       GENERIC_READ | GENERIC_WRITE,
       FILE_SHARE_READ,
       "Anzahl Zeilen: 1 Zeilen gelesen !",
       {{"a", "b", "", ""}}},
      {"held, nothing shared", GENERIC_READ, 0, "Fehler !: Datei nicht lesbar !", {}},
  };
  TempFile earlier(".csv", "x\ny\n");
  TempFile held(".csv", "a,b\n");
  for (const HolderCase &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(Load(earlier), "2 Zeilen gelesen !");
    HANDLE holder =
        CreateFileA(held.path(), c.access, c.shareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadMessage(held.path()), c.message);
    EXPECT_EQ(ListRows(), c.rows);
    CloseHandle(holder);
  }
}

std::vector<std::string> FolderListing(const std::string &folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return names;
  }
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// The dialog itself refuses a name that names no file, with a box of its own,
// and stays open; nothing is written to the disk.
TEST_F(ViewerTest, TypedNameOfMissingFileCreatesNothing) {
  const std::string missing = TempMissingDirectoryPath();
  const std::string folder = missing.substr(0, missing.find_last_of('\\'));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::vector<std::string> before = FolderListing(folder);

  RemoteClick(Gadget(GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, WAIT_MS);
  ASSERT_NE(dialog, nullptr) << RemoteViewerDescribeWindows(&viewer);
  RemoteFileDialogChoose(dialog, missing);
  HWND refusal = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
  ASSERT_NE(refusal, nullptr) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_EQ(GetWindow(refusal, GW_OWNER), dialog);
  RemoteMessageConfirm(refusal);
  ASSERT_TRUE(RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS));
  EXPECT_EQ(RemoteViewerDialog(&viewer, REMOTE_DIALOG_FILE), dialog);
  RemoteFileDialogCancel(dialog);
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
  ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
  RemoteMessageConfirm(box);

  EXPECT_EQ(FolderListing(folder), before);
  EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(missing.c_str());
  RemoveDirectoryA(folder.c_str());
}

// The viewer's free address space reserved from outside, all but a few
// pieces, so that a load runs out of memory after some thousand rows, as a
// big file does after some million.
class AddressSpaceFill {
public:
  AddressSpaceFill(HANDLE process, SIZE_T pieceBytes, int32_t pieces) : process_(process) {
    for (SIZE_T size = SIZE_T(256) << 20; size >= pieceBytes;) {
      void *block = VirtualAllocEx(process, nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
      if (block) {
        blocks_.push_back(block);
      } else {
        size /= 2;
      }
    }
    // The smallest reservations are the last; the pieces left free are those.
    for (int32_t piece = 0; piece < pieces && !blocks_.empty(); piece++) {
      VirtualFreeEx(process_, blocks_.back(), 0, MEM_RELEASE);
      blocks_.pop_back();
    }
  }
  ~AddressSpaceFill() {
    for (void *block : blocks_) {
      VirtualFreeEx(process_, block, 0, MEM_RELEASE);
    }
  }
  AddressSpaceFill(const AddressSpaceFill &) = delete;
  AddressSpaceFill &operator=(const AddressSpaceFill &) = delete;

private:
  HANDLE process_;
  std::vector<void *> blocks_;
};

// The first row the list cannot take ends the load, and the message says
// how many rows the list holds rather than passing for a count.
TEST_F(ViewerTest, ListOutOfMemorySaysHowManyRowsItHolds) {
  if (sizeof(void *) > 4) {
    GTEST_SKIP() << "the address space of a 64-bit viewer is too large to fill";
  }
  const int32_t rows = 200000;
  TempFile big(".csv", ManyRows(rows));
  std::string message;
  int32_t held = 0;
  {
    // 16 MB left: some thousand rows.
    AddressSpaceFill fill(viewer.process.hProcess, SIZE_T(2) << 20, 8);
    message = LoadMessage(big.path());
    held = RemoteListCount(Gadget(GADGET_LIST));
  }
  EXPECT_GT(held, 0);
  EXPECT_LT(held, rows);
  EXPECT_EQ(message, "Fehler !: Zu wenig Speicher - nur " + std::to_string(held) + " Zeilen gelesen !");
  // With its memory back the viewer goes on as before.
  TempFile small(".csv", "a,b\n");
  EXPECT_EQ(Load(small), "1 Zeilen gelesen !");
  RemoteClick(Gadget(GADGET_END));
  ExpectEndsWithExitCodeZero();
}

// A big list goes with the program at once. The bound is the load itself, so
// that the machine's speed does not decide: ending costs a small part of the
// loading when the list is not emptied row by row, and several times the
// loading where the platform empties it in time growing with the square of
// the rows (200,000 rows under Wine: about 4 s loading against 16 s ending).
TEST_F(ViewerTest, EndeAfterABigLoadIsQuick) {
  const int32_t rows = 200000;
  TempFile big(".csv", ManyRows(rows));
  RemoteClick(Gadget(GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, WAIT_MS);
  ASSERT_NE(dialog, nullptr) << RemoteViewerDescribeWindows(&viewer);
  RemoteFileDialogChoose(dialog, big.path());
  DWORD start = GetTickCount();
  RemoteWindowWaitHidden(dialog, WAIT_MS);
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, 10 * WAIT_MS);
  DWORD loading = GetTickCount() - start;
  ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_EQ(RemoteMessageText(box), std::to_string(rows) + " Zeilen gelesen !");
  RemoteMessageConfirm(box);
  ASSERT_TRUE(RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS));

  RemoteClick(Gadget(GADGET_END));
  start = GetTickCount();
  EXPECT_EQ(RemoteViewerWaitExit(&viewer, 20 * loading + WAIT_MS), 0u);
  DWORD ending = GetTickCount() - start;
  std::printf("%ld rows: loading %lu ms, ending %lu ms\n", static_cast<long>(rows), loading, ending);
  EXPECT_LT(ending, loading);
}

// Two names the code page's best-fit conversion maps to one another.
const wchar_t PLAIN_NAME[] = L"a.csv";
const wchar_t MACRON_NAME[] = L"\u0101.csv";
const Rows PLAIN_LIST = {{"plain", "1", "", ""}};
const Rows MACRON_LIST = {{"macron", "1", "", ""}, {"zwei", "2", "", ""}};
const std::string UNREADABLE = "Fehler !: Datei nicht lesbar !";

void LookAlikesAdd(TempFolder *folder) {
  folder->Add(PLAIN_NAME, "plain,1\n");
  folder->Add(MACRON_NAME, "macron,1\nzwei,2\n");
}

// A file whose path has more than 260 characters, in two long folders.
const Rows LONG_PATH_LIST = {{"lang", "1", "", ""}};
std::wstring LongPathAdd(TempFolder *folder) {
  const std::wstring step(120, L'd');
  folder->AddFolder(step);
  folder->AddFolder(step + L"\\" + step);
  std::wstring path = folder->Add(step + L"\\" + step + L"\\lang.csv", "lang,1\n");
  EXPECT_GT(path.size(), 260u);
  return path;
}

// A message that comes by itself, as "title: text", confirmed; "" if none.
std::string MessageShown(const RemoteViewer *viewer) {
  std::string title;
  std::string text = RemoteViewerConfirmMessage(viewer, QUIET_MS, &title);
  return title.empty() ? text : title + ": " + text;
}

struct CommandLineCase {
  const char *what;
  std::wstring arguments;
  std::string message;
  Rows rows;
  std::string field;
  std::string startPath; // when set, "Start" with this file must show the same
};

// The viewer started with a command line in a folder: the named file loads
// once the window is up, with the field's text, and the program runs on.
TEST(ViewerCommandLine, LoadsTheNamedFileAsStartWould) {
  TempFolder folder;
  LookAlikesAdd(&folder);
  TempFile semicolons(".csv", "a;b;c\r\n\r\nx;y\r\n");
  std::wstring blanks = folder.Add(L"zwei W\u00f6rter.csv", "1,2\n");
  std::wstring longPath = LongPathAdd(&folder);
  std::string sample = RemotePathFromArgument(CSVVIEW_SAMPLE_PATH);
  std::vector<CommandLineCase> cases = {
      {"the sample",
       L"/sep:, \"" + WideFromAnsi(sample) + L"\"",
       "Anzahl Zeilen: 41 Zeilen gelesen !",
       {},
       ",",
       sample},
      {"a ; file",
       L"/sep:; \"" + WideFromAnsi(semicolons.path()) + L"\"",
       "Anzahl Zeilen: 2 Zeilen gelesen !",
       {},
       ";",
       semicolons.path()},
      {"quoted, with blanks; more names ignored",
       L"\"" + blanks + L"\" a.csv",
       "Anzahl Zeilen: 1 Zeilen gelesen !",
       {{"1", "2", "", ""}},
       ",",
       {}},
      {"relative, a look-alike beside it", MACRON_NAME, "Anzahl Zeilen: 2 Zeilen gelesen !", MACRON_LIST, ",", {}},
      {"a path of more than 260 characters",
       L"\"" + longPath + L"\"",
       "Anzahl Zeilen: 1 Zeilen gelesen !",
       LONG_PATH_LIST,
       ",",
       {}},
      {"missing", L"fehlt.csv", UNREADABLE, {}, ",", {}},
      {"a folder", L"\"" + folder.Path() + L"\"", UNREADABLE, {}, ",", {}},
      {"no argument", L"", "", {}, ",", {}},
      {"a separator alone", L"/sep:;;", "", {}, ";;", {}},
      {"an empty separator", L"/sep: a.csv", "", {}, "", {}},
      {"the option in capitals, the last one counting", L"/SEP:; /Sep:|", "", {}, "|", {}},
  };
  std::wstring share = TempNetworkShare();
  TempFolder network(share);
  if (!share.empty()) {
    LookAlikesAdd(&network);
    cases.push_back({"a network path",
                     L"\"" + network.Path(MACRON_NAME) + L"\"",
                     "Anzahl Zeilen: 2 Zeilen gelesen !",
                     MACRON_LIST,
                     ",",
                     {}});
  }
  for (const CommandLineCase &c : cases) {
    SCOPED_TRACE(c.what);
    RemoteViewer viewer;
    ASSERT_TRUE(RemoteViewerStart(&viewer, ViewerExePath, WAIT_MS, c.arguments, folder.Path()));
    HWND list = RemoteViewerGadget(&viewer, GADGET_LIST);
    EXPECT_EQ(MessageShown(&viewer), c.message);
    Rows rows = RemoteListRows(&viewer, list, 4);
    EXPECT_EQ(RemoteWindowText(RemoteViewerGadget(&viewer, GADGET_SEPARATOR_FIELD)), c.field);
    if (c.startPath.empty()) {
      EXPECT_EQ(rows, c.rows);
    } else {
      std::string title;
      std::string text = RemoteViewerLoad(&viewer, c.startPath, WAIT_MS, &title);
      EXPECT_EQ(title + ": " + text, c.message);
      EXPECT_EQ(RemoteListRows(&viewer, list, 4), rows);
    }
    RemoteClick(RemoteViewerGadget(&viewer, GADGET_END));
    EXPECT_EQ(RemoteViewerWaitExit(&viewer, WAIT_MS), 0u);
    RemoteViewerRelease(&viewer);
  }
  EXPECT_EQ(GetFileAttributesW(folder.Path(L"fehlt.csv").c_str()), INVALID_FILE_ATTRIBUTES);
}

struct DropCase {
  std::vector<std::wstring> names;
  const char *field;
  std::string message;
  Rows rows;
};

// A drop loads the first file with the field's text; a folder is unreadable.
// A shortcut stands for its target.
TEST_F(ViewerTest, DroppedFileLoadsTheFirstName) {
  EXPECT_TRUE(GetWindowLongPtrA(viewer.window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  TempFolder folder;
  LookAlikesAdd(&folder);
  std::wstring semicolons = folder.Add(L"semikolon.csv", "1;2\n");
  std::vector<DropCase> drops = {
      {{folder.Path(MACRON_NAME), folder.Path(PLAIN_NAME)}, ",", "Anzahl Zeilen: 2 Zeilen gelesen !", MACRON_LIST},
      {{semicolons}, ";", "Anzahl Zeilen: 1 Zeilen gelesen !", {{"1", "2", "", ""}}},
      {{folder.Path()}, ";", UNREADABLE, {}},
      {{folder.AddShortcut(L"Verkn\u00fcpfung.LNK", folder.Path(MACRON_NAME))},
       ",",
       "Anzahl Zeilen: 2 Zeilen gelesen !",
       MACRON_LIST},
      {{folder.AddShortcut(L"ordner.lnk", folder.Path())}, ",", UNREADABLE, {}},
      {{folder.AddShortcut(L"fehlt.lnk", folder.Path(L"fehlt.csv"))}, ",", UNREADABLE, {}},
      {{LongPathAdd(&folder)}, ",", "Anzahl Zeilen: 1 Zeilen gelesen !", LONG_PATH_LIST},
  };
  std::wstring share = TempNetworkShare();
  TempFolder network(share);
  if (!share.empty()) {
    LookAlikesAdd(&network);
    drops.push_back({{network.Path(MACRON_NAME)}, ",", "Anzahl Zeilen: 2 Zeilen gelesen !", MACRON_LIST});
  }
  for (const auto &drop : drops) {
    SCOPED_TRACE(testing::PrintToString(drop.names[0]));
    RemoteSetText(Gadget(GADGET_SEPARATOR_FIELD), drop.field);
    ASSERT_TRUE(RemoteDropFiles(&viewer, viewer.window, drop.names));
    EXPECT_EQ(MessageShown(&viewer), drop.message);
    EXPECT_EQ(ListRows(), drop.rows);
  }
}

// F5, and Enter in the separator field, load the file of the last load again
// (by "Start" or a drop) with the field's text, as a new load does; before
// any load they do nothing, and a file gone meanwhile is unreadable.
TEST_F(ViewerTest, F5AndEnterLoadTheLastFileAgain) {
  HWND list = Gadget(GADGET_LIST);
  HWND field = Gadget(GADGET_SEPARATOR_FIELD);
  ASSERT_TRUE(RemoteKeyPress(&viewer, list, VK_F5, false)) << "the viewer cannot be given real key presses";
  ASSERT_TRUE(RemoteKeyPress(&viewer, field, VK_RETURN, false));
  EXPECT_EQ(MessageShown(&viewer), "");

  TempFolder folder;
  std::wstring dropped = folder.Add(L"gezogen.csv", "1|2\n");
  TempFile started(".csv", "a;b,c\nd;e\n");
  ASSERT_EQ(Load(started), "2 Zeilen gelesen !");
  const struct {
    const char *what;
    const char *field;
    HWND control; // pressed in; null: the file is dropped instead
    WORD key;
    std::string message;
    Rows rows;
  } steps[] = {
      {"F5", ";", list, VK_F5, "Anzahl Zeilen: 2 Zeilen gelesen !", {{"a", "b,c", "", ""}, {"d", "e", "", ""}}},
      {"Enter",
       ",",
       field,
       VK_RETURN,
       "Anzahl Zeilen: 2 Zeilen gelesen !",
       {{"a;b", "c", "", ""}, {"d;e", "", "", ""}}},
      {"dropped", "|", nullptr, 0, "Anzahl Zeilen: 1 Zeilen gelesen !", {{"1", "2", "", ""}}},
      {"F5 after the drop", ",", field, VK_F5, "Anzahl Zeilen: 1 Zeilen gelesen !", {{"1|2", "", "", ""}}},
      {"the file gone", ",", list, VK_F5, UNREADABLE, {}},
  };
  for (const auto &step : steps) {
    SCOPED_TRACE(step.what);
    RemoteSetText(field, step.field);
    if (step.control == nullptr) {
      ASSERT_TRUE(RemoteDropFiles(&viewer, viewer.window, {dropped}));
    } else {
      if (step.message == UNREADABLE) {
        ASSERT_TRUE(DeleteFileW(dropped.c_str()));
      }
      ASSERT_TRUE(RemoteKeyPress(&viewer, step.control, step.key, false));
    }
    EXPECT_EQ(MessageShown(&viewer), step.message);
    EXPECT_EQ(ListRows(), step.rows);
  }
}

// A key held down acts once: F5 or Enter loads once, and their repeats do
// not close the message after the load.
TEST_F(ViewerTest, HeldF5OrEnterLoadsOnceAndLeavesTheMessageOpen) {
  TempFile file(".csv", "a,b\n");
  ASSERT_EQ(Load(file), "1 Zeilen gelesen !");
  HWND field = Gadget(GADGET_SEPARATOR_FIELD);
  for (WORD key : {VK_F5, VK_RETURN}) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(RemoteViewerFocus(&viewer, field));
    RemoteViewerKeyMessage(&viewer, key, REMOTE_KEY_PRESS);
    HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
    ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
    // The repeats go to the message, then to the field once it is closed.
    for (int repeat = 0; repeat < 5; repeat++) {
      RemoteViewerKeyMessage(&viewer, key, REMOTE_KEY_REPEAT);
    }
    EXPECT_FALSE(RemoteWindowWaitHidden(box, QUIET_MS));
    RemoteMessageConfirm(box);
    ASSERT_TRUE(RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS));
    for (int repeat = 0; repeat < 5; repeat++) {
      RemoteViewerKeyMessage(&viewer, key, REMOTE_KEY_REPEAT);
    }
    RemoteViewerKeyMessage(&viewer, key, REMOTE_KEY_RELEASE);
    EXPECT_EQ(RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, QUIET_MS), nullptr);
  }
}

// The two names look alike in the code page: the chosen file loads, never
// the other one, whether its full path is typed or its name in its folder.
TEST_F(ViewerTest, DialogChoiceOfLookAlikeNamesNeverLoadsTheOther) {
  TempFolder alone;
  alone.Add(MACRON_NAME, "macron,1\nzwei,2\n");
  TempFolder pair;
  LookAlikesAdd(&pair);
  const struct {
    std::wstring folder;
    std::wstring name;
    std::string message;
    Rows rows;
  } choices[] = {
      {L"", alone.Path(MACRON_NAME), "Anzahl Zeilen: 2 Zeilen gelesen !", MACRON_LIST},
      {L"", pair.Path(MACRON_NAME), "Anzahl Zeilen: 2 Zeilen gelesen !", MACRON_LIST},
      {L"", pair.Path(PLAIN_NAME), "Anzahl Zeilen: 1 Zeilen gelesen !", PLAIN_LIST},
      {pair.Path(), MACRON_NAME, "Anzahl Zeilen: 2 Zeilen gelesen !", MACRON_LIST},
      {pair.Path(), PLAIN_NAME, "Anzahl Zeilen: 1 Zeilen gelesen !", PLAIN_LIST},
  };
  for (const auto &choice : choices) {
    RemoteClick(Gadget(GADGET_START));
    HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, WAIT_MS);
    ASSERT_NE(dialog, nullptr) << RemoteViewerDescribeWindows(&viewer);
    if (!choice.folder.empty()) {
      // A folder's path chosen opens that folder in the dialog.
      RemoteFileDialogChoose(dialog, choice.folder);
      for (int tries = 0; tries < 100 && RemoteFileDialogName(dialog) != ""; tries++) {
        Sleep(10);
      }
    }
    RemoteFileDialogChoose(dialog, choice.name);
    RemoteWindowWaitHidden(dialog, WAIT_MS);
    EXPECT_EQ(MessageShown(&viewer), choice.message);
    EXPECT_EQ(ListRows(), choice.rows);
  }
}

// During a big load the window answers the system, shows the rows read in
// its title, and a "Start" press begins no second load: the whole file is
// counted, no file dialog follows, and the title is empty again.
TEST_F(ViewerTest, BigLoadAnswersProbesAndStartsNoSecondLoad) {
  const int32_t rows = 200000;
  TempFile big(".csv", ManyRows(rows));
  ASSERT_TRUE(RemoteViewerBeginLoad(&viewer, big.path(), WAIT_MS)) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_NE(RemoteWindowWaitTitle(viewer.window, WAIT_MS).find(" Zeilen \x85"), std::string::npos);
  RemoteClick(Gadget(GADGET_START));
  int32_t probes = 0;
  HWND box = nullptr;
  for (DWORD waited = 0; !box && waited < 10 * WAIT_MS; waited += 50) {
    // Far less than the load takes: a window that handles no message
    // during the load misses it.
    ASSERT_GE(RemoteWindowProbe(viewer.window, 2000), 0) << "probe " << probes;
    probes++;
    Sleep(50);
    box = RemoteViewerDialog(&viewer, REMOTE_DIALOG_MESSAGE);
  }
  ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_GT(probes, 3);
  EXPECT_EQ(RemoteMessageText(box), std::to_string(rows) + " Zeilen gelesen !");
  EXPECT_EQ(RemoteWindowText(viewer.window), "");
  RemoteMessageConfirm(box);
  EXPECT_EQ(RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, QUIET_MS), nullptr);
  RemoteClick(Gadget(GADGET_END));
  ExpectEndsWithExitCodeZero();
}

// Esc stops a load: the rows read stay and the message says how many; the
// Esc is used up and does not close that message.
TEST_F(ViewerTest, EscStopsALoadAndSaysHowManyRowsItRead) {
  const int32_t rows = 200000;
  TempFile big(".csv", ManyRows(rows));
  ASSERT_TRUE(RemoteViewerBeginLoad(&viewer, big.path(), WAIT_MS)) << RemoteViewerDescribeWindows(&viewer);
  ASSERT_NE(RemoteWindowWaitTitle(viewer.window, WAIT_MS), "");
  RemoteViewerKeyPost(&viewer, VK_ESCAPE);
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
  ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
  const int32_t held = RemoteListCount(Gadget(GADGET_LIST));
  EXPECT_GT(held, 0);
  EXPECT_LT(held, rows);
  EXPECT_EQ(RemoteWindowText(box), "Anzahl Zeilen");
  EXPECT_EQ(RemoteMessageText(box), "Abgebrochen - nur " + std::to_string(held) + " Zeilen gelesen !");
  EXPECT_FALSE(RemoteWindowWaitHidden(box, QUIET_MS));
  RemoteMessageConfirm(box);
  ASSERT_TRUE(RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS));
  // The viewer goes on as usual.
  TempFile small(".csv", "a,b\n");
  EXPECT_EQ(Load(small), "1 Zeilen gelesen !");
}

// Only a fresh Esc stops a load: one held since before stops nothing, and
// the repeats of the press that stopped it do not close the message, which
// a new press then does. The title the window had comes back.
TEST_F(ViewerTest, EscHeldDownStopsOnceAndLeavesTheMessageOpen) {
  TempFile big(".csv", ManyRows(200000));
  const std::string before = "vorher";
  RemoteSetText(viewer.window, before);
  ASSERT_TRUE(RemoteViewerBeginLoad(&viewer, big.path(), WAIT_MS)) << RemoteViewerDescribeWindows(&viewer);
  std::string title = RemoteWindowWaitTitle(viewer.window, WAIT_MS, before);
  ASSERT_NE(title, before);
  for (int repeat = 0; repeat < 3; repeat++) {
    RemoteViewerKeyMessage(&viewer, VK_ESCAPE, REMOTE_KEY_REPEAT);
  }
  // Two more titles: the load has handled the repeats and goes on.
  title = RemoteWindowWaitTitle(viewer.window, WAIT_MS, title);
  title = RemoteWindowWaitTitle(viewer.window, WAIT_MS, title);
  EXPECT_EQ(RemoteViewerDialog(&viewer, REMOTE_DIALOG_MESSAGE), nullptr);
  RemoteViewerKeyMessage(&viewer, VK_ESCAPE, REMOTE_KEY_PRESS);
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
  ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_EQ(RemoteMessageText(box).rfind("Abgebrochen - nur ", 0), 0u) << RemoteMessageText(box);
  EXPECT_EQ(RemoteWindowText(viewer.window), before);
  for (int repeat = 0; repeat < 5; repeat++) {
    RemoteViewerKeyMessage(&viewer, VK_ESCAPE, REMOTE_KEY_REPEAT);
  }
  EXPECT_FALSE(RemoteWindowWaitHidden(box, QUIET_MS));
  RemoteViewerKeyMessage(&viewer, VK_ESCAPE, REMOTE_KEY_RELEASE);
  RemoteViewerKeyPost(&viewer, VK_ESCAPE);
  EXPECT_TRUE(RemoteWindowWaitHidden(box, WAIT_MS));
}

// The close box, and a close sent by another program (handled inside the
// viewer's look for messages), end the program without a message.
TEST_F(ViewerTest, CloseBoxDuringALoadEndsTheProgram) {
  TempFile big(".csv", ManyRows(200000));
  const struct {
    const char *what;
    bool sent;
  } closes[] = {{"close box", false}, {"WM_CLOSE sent", true}};
  for (const auto &close : closes) {
    SCOPED_TRACE(close.what);
    if (!viewer.process.hProcess) {
      ASSERT_TRUE(RemoteViewerStart(&viewer, ViewerExePath, WAIT_MS));
    }
    ASSERT_TRUE(RemoteViewerBeginLoad(&viewer, big.path(), WAIT_MS)) << RemoteViewerDescribeWindows(&viewer);
    ASSERT_NE(RemoteWindowWaitTitle(viewer.window, WAIT_MS), "");
    if (close.sent) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutA(viewer.window, WM_CLOSE, 0, 0, SMTO_NORMAL, WAIT_MS, &ignored);
    } else {
      PostMessageA(viewer.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    EXPECT_EQ(RemoteViewerDialog(&viewer, REMOTE_DIALOG_MESSAGE), nullptr);
    ExpectEndsWithExitCodeZero();
    RemoteViewerRelease(&viewer);
  }
}

enum { RESOURCE_HANDLES, RESOURCE_GDI, RESOURCE_USER, RESOURCE_PRIVATE_BYTES, RESOURCE_COUNT };
const char *const RESOURCE_NAMES[RESOURCE_COUNT] = {"handle count", "GDI object count", "USER object count",
                                                    "private bytes"};
// A little slack for the platform's own caches (dialog resources, atoms):
// a leak of a single list row or text per load would exceed it in 95 loads.
const unsigned long RESOURCE_SLACK[RESOURCE_COUNT] = {4, 4, 4, 128 * 1024};

struct ViewerResources {
  unsigned long values[RESOURCE_COUNT];
};

ViewerResources ViewerResourcesNow(HANDLE process) {
  ViewerResources now = {{0, 0, 0, 0}};
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  now.values[RESOURCE_HANDLES] = handles;
  now.values[RESOURCE_GDI] = GetGuiResources(process, GR_GDIOBJECTS);
  now.values[RESOURCE_USER] = GetGuiResources(process, GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX memory;
  ZeroMemory(&memory, sizeof memory);
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&memory), sizeof memory)) {
    now.values[RESOURCE_PRIVATE_BYTES] =
        static_cast<unsigned long>(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage);
  }
  return now;
}

// Loading the same file again and again must not leave anything behind in
// the viewer: handles, GDI and USER objects and memory stay flat. A leak
// grows in every load; a one-time growth (about 1.1 MB under Wine, seen now
// and then at some load past the warm-up) falls in one half of the loads,
// so the flatter half is the one checked.
TEST_F(ViewerTest, TwoHundredLoadsKeepResourcesFlat) {
  std::string bytes;
  for (int i = 0; i < 20; i++) {
    bytes += "Zeile " + std::to_string(i) + ",Wert,12345,\xE4\xF6\xFC\r\n";
  }
  TempFile file(".csv", bytes);
  const int warmUp = 10;
  const int perHalf = 95;
  for (int i = 0; i < warmUp; i++) {
    ASSERT_EQ(Load(file), "20 Zeilen gelesen !");
  }
  ViewerResources at[3] = {ViewerResourcesNow(viewer.process.hProcess)};
  for (int half = 1; half <= 2; half++) {
    for (int i = 0; i < perHalf; i++) {
      ASSERT_EQ(Load(file), "20 Zeilen gelesen !") << "half " << half << ", load " << i;
    }
    at[half] = ViewerResourcesNow(viewer.process.hProcess);
  }
  EXPECT_EQ(RemoteListCount(Gadget(GADGET_LIST)), 20);

  for (int r = 0; r < RESOURCE_COUNT; r++) {
    std::printf("%s after %d, %d and %d loads: %lu, %lu, %lu\n", RESOURCE_NAMES[r], warmUp, warmUp + perHalf,
                warmUp + 2 * perHalf, at[0].values[r], at[1].values[r], at[2].values[r]);
    if (at[0].values[r] == 0) {
      std::printf("the %s of another process is not reported by this platform\n", RESOURCE_NAMES[r]);
    }
    unsigned long first = at[1].values[r] - std::min(at[1].values[r], at[0].values[r]);
    unsigned long second = at[2].values[r] - std::min(at[2].values[r], at[1].values[r]);
    EXPECT_LE(std::min(first, second), RESOURCE_SLACK[r]) << RESOURCE_NAMES[r];
  }

  RemoteClick(Gadget(GADGET_END));
  ExpectEndsWithExitCodeZero();
}

// The text Ctrl+C puts on the clipboard, in both forms; "(none)" when the
// clipboard cannot be read.
struct ClipboardText {
  std::string bytes;
  std::wstring wide;
  bool operator==(const ClipboardText &other) const { return bytes == other.bytes && wide == other.wide; }
};

std::ostream &operator<<(std::ostream &out, const ClipboardText &text) {
  return out << testing::PrintToString(text.bytes) << " / " << testing::PrintToString(text.wide);
}

// Code page 1252 bytes as UTF-16, for texts whose bytes above 127 are
// letters of Latin-1 (where the two agree).
ClipboardText Latin1Text(const std::string &bytes) {
  ClipboardText text = {bytes, std::wstring()};
  for (char c : bytes) {
    text.wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  return text;
}

ClipboardText ClipboardNow() {
  ClipboardText text = {"(none)", L"(none)"};
  RemoteClipboardRead(&text.bytes, &text.wide);
  return text;
}

// Ctrl+C pressed in a gadget, and the clipboard once the viewer has set it.
ClipboardText CopyIn(const RemoteViewer *viewer, HWND control, DWORD timeoutMs) {
  DWORD sequence = GetClipboardSequenceNumber();
  if (!RemoteKeyPress(viewer, control, 'C', true) || !RemoteClipboardWaitChange(sequence, timeoutMs)) {
    return ClipboardText{"(no copy)", L"(no copy)"};
  }
  return ClipboardNow();
}

// Ctrl+A in the list, waited for until the list shows every row selected.
bool SelectAllIn(const RemoteViewer *viewer, HWND list, DWORD timeoutMs) {
  if (!RemoteKeyPress(viewer, list, 'A', true)) {
    ADD_FAILURE() << "no key press: foreground " << GetForegroundWindow() << ", viewer " << viewer->window;
    return false;
  }
  for (DWORD waited = 0; waited < timeoutMs; waited += 10) {
    if (SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) == RemoteListCount(list)) {
      return true;
    }
    Sleep(10);
  }
  return false;
}

const char SAMPLE_ROWS_2_AND_3[] = "Hamburg\tHamburg\t1892122\t755\r\n"
                                   "M\xFCnchen\tBayern\t1512491\t311\r\n";

// Ctrl+C copies the list's selected rows, a TAB between columns and CR LF
// after each row, as code page 1252 bytes and as UTF-16. With no row
// selected it leaves the clipboard alone; in the separator field it still
// copies the field's text.
TEST_F(ViewerTest, CtrlCCopiesTheSelectedRows) {
  HWND list = Gadget(GADGET_LIST);
  ASSERT_EQ(LoadMessage(RemotePathFromArgument(CSVVIEW_SAMPLE_PATH).c_str()), "Anzahl Zeilen: 41 Zeilen gelesen !");
  ASSERT_TRUE(RemoteClipboardPut("vorher"));
  DWORD sequence = GetClipboardSequenceNumber();
  ASSERT_TRUE(RemoteKeyPress(&viewer, list, 'C', true)) << "the viewer cannot be given real key presses";
  // Keys are handled in turn: once Ctrl+A has selected the rows, Ctrl+C has
  // been handled.
  ASSERT_TRUE(SelectAllIn(&viewer, list, WAIT_MS));
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
  EXPECT_EQ(ClipboardNow(), Latin1Text("vorher"));

  RemoteListSelect(&viewer, list, -1, false);
  RemoteListSelect(&viewer, list, 3, true);
  RemoteListSelect(&viewer, list, 2, true);
  EXPECT_EQ(CopyIn(&viewer, list, WAIT_MS), Latin1Text(SAMPLE_ROWS_2_AND_3));

  HWND field = Gadget(GADGET_SEPARATOR_FIELD);
  RemoteSetText(field, ";\xE4");
  SendMessageA(field, EM_SETSEL, 0, -1);
  EXPECT_EQ(CopyIn(&viewer, field, WAIT_MS), Latin1Text(";\xE4"));
  EXPECT_EQ(RemoteWindowText(field), ";\xE4");
}

// A clipboard another program keeps open: Ctrl+C says so rather than leave
// the old text to be pasted as the copy, and the clipboard keeps it.
TEST_F(ViewerTest, CtrlCWithTheClipboardHeldSaysSo) {
  HWND list = Gadget(GADGET_LIST);
  ASSERT_EQ(LoadMessage(RemotePathFromArgument(CSVVIEW_SAMPLE_PATH).c_str()), "Anzahl Zeilen: 41 Zeilen gelesen !");
  ASSERT_TRUE(RemoteClipboardPut("vorher"));
  RemoteListSelect(&viewer, list, 2, true);
  ASSERT_TRUE(OpenClipboard(nullptr));
  bool pressed = RemoteKeyPress(&viewer, list, 'C', true);
  HWND box = pressed ? RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS) : nullptr;
  CloseClipboard();
  ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
  EXPECT_EQ(RemoteWindowText(box) + ": " + RemoteMessageText(box), "Fehler !: Zwischenablage belegt !");
  RemoteMessageConfirm(box);
  EXPECT_EQ(ClipboardNow(), Latin1Text("vorher"));
}

// Ctrl+A selects every row, and Ctrl+C then copies them all, whole.
TEST_F(ViewerTest, CtrlAThenCtrlCCopiesEveryRow) {
  const int32_t rows = 100000;
  TempFile big(".csv", ManyRows(rows));
  ASSERT_EQ(Load(big), std::to_string(rows) + " Zeilen gelesen !");
  HWND list = Gadget(GADGET_LIST);
  ASSERT_TRUE(SelectAllIn(&viewer, list, 10 * WAIT_MS));
  std::string expected;
  for (int32_t row = 0; row < rows; row++) {
    expected += std::to_string(row) + "\tWert " + std::to_string(row % 97) + "\t12.5\tM\xFCnchen\r\n";
  }
  EXPECT_EQ(CopyIn(&viewer, list, 10 * WAIT_MS), Latin1Text(expected));
}

// The first column, which names the rows of a sorted list.
std::vector<std::string> FirstColumn(const Rows &rows) {
  std::vector<std::string> first;
  for (const std::vector<std::string> &row : rows) {
    first.push_back(row.empty() ? "(none)" : row[0]);
  }
  return first;
}

struct SortClickCase {
  int32_t column;
  int32_t arrow;
  std::vector<std::string> firstColumn;
};

// Header clicks sort up, down and back to the file's order, with the arrow;
// numbers by value with grouping, then texts in the locale's order with
// digit runs by value, blanks last both ways; equal cells keep the order
// they had. The selection follows its rows, Ctrl+C copies the shown order,
// and a new load shows the file's order again.
TEST_F(ViewerTest, HeaderClicksSortTheRows) {
  TempFile file(".csv", "Zitrone,b,1.234,x\n"
                        "Datei 10,a,-3,x\n"
                        "\xC4pfel,b,   ,x\n"
                        "Datei 2,a,56.324,x\n"
                        " ,c,1.512.491,x\n"
                        "Mango,a,0,x\n");
  const std::vector<std::string> fileOrder = {"Zitrone", "Datei 10", "\xC4pfel", "Datei 2", " ", "Mango"};
  const SortClickCase clicks[] = {
      {2, 1, {"Datei 10", "Mango", "Zitrone", "Datei 2", " ", "\xC4pfel"}},
      {2, -1, {" ", "Datei 2", "Zitrone", "Mango", "Datei 10", "\xC4pfel"}},
      {2, 0, fileOrder},
      {0, 1, {"\xC4pfel", "Datei 2", "Datei 10", "Mango", "Zitrone", " "}},
      {1, 1, {"Datei 2", "Datei 10", "Mango", "\xC4pfel", "Zitrone", " "}},
      {1, -1, {" ", "\xC4pfel", "Zitrone", "Datei 2", "Datei 10", "Mango"}},
  };
  HWND list = Gadget(GADGET_LIST);
  ASSERT_EQ(Load(file), "6 Zeilen gelesen !");
  for (const SortClickCase &click : clicks) {
    EXPECT_EQ(RemoteListSortBy(&viewer, list, click.column, WAIT_MS), click.arrow) << "column " << click.column;
    EXPECT_EQ(FirstColumn(ListRows()), click.firstColumn) << "column " << click.column;
  }
  EXPECT_EQ(RemoteListSortArrow(&viewer, list, 0), 0);

  RemoteListSelect(&viewer, list, 5, true); // Mango
  RemoteListSelect(&viewer, list, 1, true); // Äpfel
  ASSERT_EQ(RemoteListSortBy(&viewer, list, 0, WAIT_MS), 1);
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, 0, LVNI_SELECTED), 3);
  EXPECT_EQ(CopyIn(&viewer, list, WAIT_MS), Latin1Text("\xC4pfel\tb\t   \tx\r\nMango\ta\t0\tx\r\n"));

  ASSERT_EQ(Load(file), "6 Zeilen gelesen !");
  EXPECT_EQ(FirstColumn(ListRows()), fileOrder);
  EXPECT_EQ(RemoteListSortArrow(&viewer, list, 0), 0);
  EXPECT_EQ(RemoteListSortBy(&viewer, list, 0, WAIT_MS), 1) << "a load starts the clicks afresh";
}

// A long sort keeps the window answering and shows so in the title; Ctrl+C
// during it copies nothing; Esc stops it with the rows in the order they had.
TEST_F(ViewerTest, EscStopsASortWithTheRowsAsTheyWere) {
  const int32_t rows = 200000;
  TempFile big(".csv", ManyRows(rows));
  ASSERT_EQ(RemoteViewerLoad(&viewer, big.path(), 10 * WAIT_MS), std::to_string(rows) + " Zeilen gelesen !");
  HWND list = Gadget(GADGET_LIST);
  RemoteListSelect(&viewer, list, 0, true);
  RemoteListHeaderClick(&viewer, list, 1);
  EXPECT_EQ(RemoteWindowWaitTitle(viewer.window, WAIT_MS), "Sortieren \x85");
  EXPECT_GE(RemoteWindowProbe(viewer.window, 2000), 0);
  DWORD sequence = GetClipboardSequenceNumber();
  // Both as input, so that the copy is asked for before the stop.
  ASSERT_TRUE(RemoteKeyPress(&viewer, list, 'C', true));
  ASSERT_TRUE(RemoteKeyPress(&viewer, list, VK_ESCAPE, false));
  for (DWORD waited = 0; RemoteWindowText(viewer.window) != "" && waited < WAIT_MS; waited += 50) {
    Sleep(50);
  }
  RemoteWindowProbe(viewer.window, WAIT_MS);
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the rows half moved were copied";
  EXPECT_EQ(RemoteListSortArrow(&viewer, list, 1), 0);
  for (int32_t row : {0, 1, 97, rows / 2, rows - 1}) {
    EXPECT_EQ(RemoteListCell(&viewer, list, row, 0), std::to_string(row));
    EXPECT_EQ(RemoteListCell(&viewer, list, row, 1), "Wert " + std::to_string(row % 97));
  }
}

struct FindStep {
  const char *what;
  const wchar_t *text; // null: F3 (down) or Shift+F3 instead of the dialog
  bool matchCase;
  bool down;
  int32_t row; // the row found, or -1 for the message
};

// Finding in the sample: from the focused row on, wrapping, case folded
// unless asked, in every column and inside cells.
const FindStep FIND_STEPS[] = {
    {"first from the top", L"bayern", false, true, 3},
    {"the next", L"bayern", false, true, 14},
    {"F3", nullptr, false, true, 23},
    {"F3 wraps round", nullptr, false, true, 3},
    {"Shift+F3 goes up, wrapping round", nullptr, false, false, 23},
    {"F3 after it goes down again", nullptr, false, true, 3},
    {"match case", L"bayern", true, true, -1},
    {"an umlaut in the other case", L"\u00DCRNB", false, true, 14},
    {"up, in the third column", L"3755", false, false, 1},
    {"down wraps to the first row", L"km\u00B2", false, true, 0},
};

// The row found: the only selected one, focused and in view; -1 when the
// message "Nicht gefunden !" came instead (confirmed), -2 when neither came.
int32_t FindOutcome(const RemoteViewer *viewer, HWND list, LRESULT focusedBefore) {
  for (DWORD waited = 0; waited < WAIT_MS; waited += 20) {
    HWND box = RemoteViewerDialog(viewer, REMOTE_DIALOG_MESSAGE);
    if (box) {
      bool said = RemoteWindowText(box) == "Suchen" && RemoteMessageText(box) == "Nicht gefunden !";
      RemoteMessageConfirm(box);
      RemoteViewerWaitDialogGone(viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
      return said ? -1 : -3;
    }
    LRESULT focused = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
    if (focused != focusedBefore) {
      LRESULT selected = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
      LRESULT top = SendMessageA(list, LVM_GETTOPINDEX, 0, 0);
      LRESULT shown = SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0);
      bool alone = SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1 && selected == focused;
      return alone && focused >= top && focused < top + shown ? static_cast<int32_t>(focused) : -4;
    }
    Sleep(20);
  }
  return -2;
}

// Ctrl+F and F3 with no text open the Find dialog; its Find Next and F3
// find the rows of the table, and the dialog stays open. A search after a
// sort goes in the shown order.
TEST_F(ViewerTest, FindDialogAndF3FindTheRows) {
  HWND list = Gadget(GADGET_LIST);
  ASSERT_EQ(LoadMessage(RemotePathFromArgument(CSVVIEW_SAMPLE_PATH).c_str()), "Anzahl Zeilen: 41 Zeilen gelesen !");
  ASSERT_TRUE(RemoteKeyPress(&viewer, list, VK_F3, false));
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FIND, WAIT_MS);
  ASSERT_NE(dialog, nullptr) << "F3 with no text yet opens the dialog";
  for (const FindStep &step : FIND_STEPS) {
    LRESULT focused = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
    if (step.text) {
      RemoteFindDialogSearch(dialog, step.text, step.matchCase, step.down);
    } else {
      ASSERT_TRUE(RemoteKeyPressWith(&viewer, list, step.down ? 0 : VK_SHIFT, VK_F3));
    }
    EXPECT_EQ(FindOutcome(&viewer, list, focused), step.row) << step.what;
    EXPECT_EQ(RemoteViewerDialog(&viewer, REMOTE_DIALOG_FIND), dialog) << step.what;
  }
  // Typed, the code page's characters beyond Latin-1, and those outside it,
  // reach the dialog as themselves.
  const std::wstring typed = L"\u20AC \u2013 \u201Ek\u201C \u041E\u0442\u0447\u0451\u0442 \u02A4";
  ASSERT_TRUE(RemoteFindDialogType(dialog, typed));
  for (DWORD waited = 0; RemoteFindDialogText(dialog).size() < typed.size() && waited < WAIT_MS; waited += 20) {
    Sleep(20);
  }
  EXPECT_EQ(RemoteFindDialogText(dialog), typed);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(RemoteWindowWaitHidden(dialog, WAIT_MS));

  // Sorted by the inhabitants, down: Berlin first, Kassel last.
  ASSERT_EQ(RemoteListSortBy(&viewer, list, 2, WAIT_MS), 1);
  ASSERT_EQ(RemoteListSortBy(&viewer, list, 2, WAIT_MS), -1);
  ASSERT_TRUE(RemoteKeyPress(&viewer, list, 'F', true));
  dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FIND, WAIT_MS);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(RemoteFindDialogText(dialog), L"km\u00B2") << "the last text is preset";
  LRESULT focused = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
  RemoteFindDialogSearch(dialog, L"hessen", false, true);
  int32_t found = FindOutcome(&viewer, list, focused);
  EXPECT_EQ(RemoteListCell(&viewer, list, found, 0), "Frankfurt am Main") << "the first Hessian city below the top";
}

// A copy that finds too little memory says so and leaves the clipboard as it
// was: a part of the rows would pass for all of them.
TEST_F(ViewerTest, CopyOutOfMemorySaysSoAndLeavesTheClipboard) {
  if (sizeof(void *) > 4) {
    GTEST_SKIP() << "the address space of a 64-bit viewer is too large to fill";
  }
  // 10 MB of text, more than the largest free piece left below.
  std::string bytes;
  for (int32_t row = 0; row < 10000; row++) {
    bytes += std::string(1000, 'x') + std::to_string(row) + ",a\r\n";
  }
  TempFile longRows(".csv", bytes);
  ASSERT_EQ(Load(longRows), "10000 Zeilen gelesen !");
  HWND list = Gadget(GADGET_LIST);
  ASSERT_TRUE(SelectAllIn(&viewer, list, WAIT_MS));
  ASSERT_TRUE(RemoteClipboardPut("vorher"));
  std::string message;
  {
    AddressSpaceFill fill(viewer.process.hProcess, SIZE_T(2) << 20, 8);
    ASSERT_TRUE(RemoteKeyPress(&viewer, list, 'C', true));
    HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS);
    ASSERT_NE(box, nullptr) << RemoteViewerDescribeWindows(&viewer);
    message = RemoteWindowText(box) + ": " + RemoteMessageText(box);
    RemoteMessageConfirm(box);
    ASSERT_TRUE(RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_MESSAGE, WAIT_MS));
  }
  EXPECT_EQ(message, "Fehler !: Zu wenig Speicher !");
  EXPECT_EQ(ClipboardNow(), Latin1Text("vorher"));
}

typedef std::vector<std::vector<std::wstring>> WideRows;

// The files users have: a spreadsheet's code page 1252 export with ; and
// decimal commas, its UTF-8 export with a mark, its UTF-16 "Unicode text"
// with TABs, a UTF-8 export without a mark, and UTF-16 big-endian.
struct DesktopFile {
  const char *what;
  std::string bytes;
  const char *field; // the guess
  WideRows rows;
};

std::vector<DesktopFile> DesktopFiles() {
  const std::u16string cyrillic = u"\u041E\u0442\u0447\u0451\u0442";
  return {
      {"code page 1252 with decimal commas",
       "Stadt;Einwohner;Fl\xE4"
       "che;Land\r\nM\xFC"
       "nchen;1.512.491;310,7;Bayern\r\n",
       ";",
       {{L"Stadt", L"Einwohner",
         L"Fl\u00E4"
         L"che",
         L"Land"},
        {L"M\u00FC"
         L"nchen",
         L"1.512.491", L"310,7", L"Bayern"}}},
      {"UTF-8 with a mark",
       "\xEF\xBB\xBFStadt,Land\r\nM\xC3\xBCnchen,Bayern\r\n",
       ",",
       {{L"Stadt", L"Land", L"", L""},
        {L"M\u00FC"
         L"nchen",
         L"Bayern", L"", L""}}},
      {"UTF-16 with a mark and TABs",
       "\xFF\xFE" + Utf16Bytes(u"Stadt\tLand\r\n" + cyrillic + u"\t\u02A4\r\n", false),
       "\t",
       {{L"Stadt", L"Land", L"", L""}, {L"\u041E\u0442\u0447\u0451\u0442", L"\u02A4", L"", L""}}},
      {"UTF-8 without a mark",
       "Name|Ort\n\xCE\x96\xCF\x89\xCE\xAE|Zo\xC3\xAB\n",
       "|",
       {{L"Name", L"Ort", L"", L""}, {L"\u0396\u03C9\u03AE", L"Zo\u00EB", L"", L""}}},
      {"UTF-16 big-endian", "\xFE\xFF" + Utf16Bytes(u"a;\u00DF\n", true), ";", {{L"a", L"\u00DF", L"", L""}}},
  };
}

// Opened from the desktop without /sep:, each file has its separator
// guessed into the field and shows its characters as they are.
TEST(ViewerCommandLine, DecodesTheFileAndGuessesItsSeparator) {
  TempFolder folder;
  for (const DesktopFile &file : DesktopFiles()) {
    SCOPED_TRACE(file.what);
    std::wstring path = folder.Add(L"datei.csv", file.bytes);
    RemoteViewer viewer;
    ASSERT_TRUE(RemoteViewerStart(&viewer, ViewerExePath, WAIT_MS, L"\"" + path + L"\""));
    EXPECT_EQ(MessageShown(&viewer), "Anzahl Zeilen: " + std::to_string(file.rows.size()) + " Zeilen gelesen !");
    EXPECT_EQ(RemoteWindowText(RemoteViewerGadget(&viewer, GADGET_SEPARATOR_FIELD)), file.field);
    EXPECT_EQ(RemoteListRowsWide(&viewer, RemoteViewerGadget(&viewer, GADGET_LIST), 4), file.rows);
    RemoteViewerRelease(&viewer);
  }
}

// A drop guesses only into the preset; a typed separator stays. Decoded rows
// copy out as their characters.
TEST_F(ViewerTest, DropGuessesIntoThePresetAndCopiesDecodedRows) {
  TempFolder folder;
  std::vector<DesktopFile> files = DesktopFiles();
  std::wstring semicolons = folder.Add(L"semikolon.csv", files[0].bytes);
  std::wstring tabs = folder.Add(L"unicode.txt", files[2].bytes);
  HWND field = Gadget(GADGET_SEPARATOR_FIELD);
  HWND list = Gadget(GADGET_LIST);
  ASSERT_TRUE(RemoteDropFiles(&viewer, viewer.window, {semicolons}));
  EXPECT_EQ(MessageShown(&viewer), "Anzahl Zeilen: 2 Zeilen gelesen !");
  EXPECT_EQ(RemoteWindowText(field), ";");
  EXPECT_EQ(RemoteListRowsWide(&viewer, list, 4), files[0].rows);

  RemoteSetText(field, "|");
  ASSERT_TRUE(RemoteDropFiles(&viewer, viewer.window, {tabs}));
  EXPECT_EQ(MessageShown(&viewer), "Anzahl Zeilen: 2 Zeilen gelesen !");
  EXPECT_EQ(RemoteWindowText(field), "|");
  EXPECT_EQ(RemoteListRowsWide(&viewer, list, 1)[1][0], L"\u041E\u0442\u0447\u0451\u0442\t\u02A4");

  RemoteSetText(field, ",");
  ASSERT_TRUE(RemoteDropFiles(&viewer, viewer.window, {tabs}));
  EXPECT_EQ(MessageShown(&viewer), "Anzahl Zeilen: 2 Zeilen gelesen !");
  EXPECT_EQ(RemoteWindowText(field), "\t");
  ASSERT_TRUE(SelectAllIn(&viewer, list, WAIT_MS));
  EXPECT_EQ(CopyIn(&viewer, list, WAIT_MS).wide, L"Stadt\tLand\t\t\r\n\u041E\u0442\u0447\u0451\u0442\t\u02A4\t\t\r\n");
}

} // namespace

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <path of csvview.exe>\n", argv[0]);
    return 2;
  }
  ViewerExePath = RemotePathFromArgument(argv[1]);
  return RUN_ALL_TESTS();
}
