// The dialog hands back the chosen path in the code page, and the platform
// converts a letter the page cannot spell into a look-alike (ā becomes a), so
// that a.csv beside ā.csv would silently show the wrong file. So the path is
// taken back to wide characters:
// - its last piece is the name the dialog's name box held as the dialog
//   went, when that is a bare name that converts to the piece: the file
//   picked in the list or typed, as it is on disk;
// - other pieces are matched to the names on disk, folder by folder, each
//   listed in wide characters and converted as the dialog converts: the one
//   name that converts to the piece is taken; a piece no name converts to is
//   taken as the code page reads it, which is what opening the 8-bit path
//   would do; a piece several names convert to cannot tell which was meant,
//   and the whole path is refused (left empty), so that opening it fails.
#include "toolkit/requesters/file_dialog_wide.h"

#include <cwchar>
#include <dlgs.h>

#include "toolkit/requesters/file_dialog_buffers.h"
#include "toolkit/requesters/requester_calls.h"

// The longest path the wide file functions take, with its NUL.
enum : int32_t { WIDE_PATH_CAPACITY = 32768 };
static wchar_t ChosenWide[WIDE_PATH_CAPACITY];
// The name box's text as the dialog went, and the hook that keeps it.
static wchar_t NameBoxWide[WIDE_PATH_CAPACITY];
static HHOOK NameBoxWatch;

const wchar_t *AskOpenFileNameWide() {
  return ChosenWide;
}

// Told of each window about to go, before its children: a watch on every
// message sent would slow the whole dialog down.
static LRESULT CALLBACK NameBoxWatchProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND) {
    HWND nameBox = GetDlgItem(reinterpret_cast<HWND>(wParam), cmb13);
    if (nameBox != nullptr) {
      GetWindowTextW(nameBox, NameBoxWide, WIDE_PATH_CAPACITY);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void FileDialogWatchStart() {
  NameBoxWide[0] = L'\0';
  NameBoxWatch = SetWindowsHookExW(WH_CBT, NameBoxWatchProc, nullptr, GetCurrentThreadId());
}

void FileDialogWatchEnd() {
  if (NameBoxWatch != nullptr) {
    UnhookWindowsHookEx(NameBoxWatch);
    NameBoxWatch = nullptr;
  }
}

// Whether the name box held a bare name that converts to the path's last piece.
static bool NameBoxNames(const char *piece) {
  if (NameBoxWide[0] == L'\0' || wcspbrk(NameBoxWide, L"\\/:") != nullptr) {
    return false;
  }
  char converted[2 * MAX_PATH];
  return WideCharToMultiByte(CP_ACP, 0, NameBoxWide, -1, converted, sizeof converted, nullptr, nullptr) > 0 &&
         lstrcmpiA(converted, piece) == 0;
}

// Appends 8-bit text as the code page reads it; the new length, or -1.
static int32_t WideAppendAnsi(int32_t length, const char *text, int32_t count) {
  if (count == 0) {
    return length;
  }
  int32_t added = MultiByteToWideChar(CP_ACP, 0, text, count, ChosenWide + length, WIDE_PATH_CAPACITY - 1 - length);
  return added > 0 ? length + added : -1;
}

// How many names in the folder ChosenWide[0, length) convert to piece, the
// last of them left in match.
static int32_t FolderMatches(int32_t length, const char *piece, wchar_t *match) {
  if (length + 3 > WIDE_PATH_CAPACITY) {
    return 0;
  }
  lstrcpyW(ChosenWide + length, L"\\*");
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ChosenWide, &found);
  ChosenWide[length] = L'\0';
  if (search == INVALID_HANDLE_VALUE) {
    return 0;
  }
  int32_t count = 0;
  do {
    char converted[2 * MAX_PATH];
    if (WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, converted, sizeof converted, nullptr, nullptr) > 0 &&
        lstrcmpiA(converted, piece) == 0) {
      lstrcpyW(match, found.cFileName);
      count++;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

// Appends a backslash and a wide name; the new length, or -1.
static int32_t WideAppendName(int32_t length, const wchar_t *name) {
  int32_t added = lstrlenW(name);
  if (length + 1 + added >= WIDE_PATH_CAPACITY) {
    return -1;
  }
  ChosenWide[length] = L'\\';
  lstrcpyW(ChosenWide + length + 1, name);
  return length + 1 + added;
}

// Appends one piece after a backslash; the new length, or -1 to refuse.
static int32_t WideAppendPiece(int32_t length, const char *piece, bool last) {
  if (last && NameBoxNames(piece)) {
    return WideAppendName(length, NameBoxWide);
  }
  wchar_t match[MAX_PATH];
  int32_t matches = FolderMatches(length, piece, match);
  if (matches > 1) {
    return -1;
  }
  if (matches == 1) {
    return WideAppendName(length, match);
  }
  length = WideAppendAnsi(length, "\\", 1);
  return length < 0 ? -1 : WideAppendAnsi(length, piece, lstrlenA(piece));
}

void FileDialogWideResolve(const char *path) {
  ChosenWide[0] = L'\0';
  // The dialog gives a full path: a drive, then the pieces to match. Any
  // other form is taken as the code page reads it.
  int32_t root = path[0] != '\0' && path[1] == ':' && path[2] == '\\' ? 2 : lstrlenA(path);
  int32_t length = WideAppendAnsi(0, path, root);
  const char *next = path + root;
  while (length >= 0 && *next == '\\') {
    char piece[FILE_DIALOG_NAME_SIZE];
    int32_t size = 0;
    for (next++; *next != '\0' && *next != '\\' && size < FILE_DIALOG_NAME_SIZE - 1; next++) {
      piece[size++] = *next;
    }
    piece[size] = '\0';
    length = WideAppendPiece(length, piece, *next == '\0');
  }
  if (*next != '\0') {
    length = -1;
  }
  ChosenWide[length >= 0 ? length : 0] = L'\0';
}
