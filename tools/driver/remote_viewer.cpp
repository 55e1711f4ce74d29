// Cross-process driving of the viewer. Texts of another process's controls
// travel in WM_GETTEXT and WM_SETTEXT, which the system carries across; list
// records are placed in the viewer's memory and read back from there.
#include "tools/driver/remote_viewer.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>
#include <cstdio>
#include <vector>

#include "app/viewer_numbers.h"
#include "toolkit/windows/window_class.h"

static const DWORD REMOTE_POLL_MS = 10;
static const DWORD REMOTE_SEND_TIMEOUT_MS = 20000;
static const DWORD REMOTE_FOREGROUND_MS = 5000;
static const int REMOTE_FILE_NAME_BOX = 0x47C;
// The Find dialog's "Down" button (rad2), which no other dialog has.
static const int REMOTE_FIND_DOWN_BUTTON = 0x421;
// Its text box (edt1).
static const int REMOTE_FIND_TEXT_BOX = 0x480;
static const int32_t REMOTE_TEXT_CAPACITY = 4096;

std::string RemotePathFromArgument(const char *path) {
  std::string result = path ? path : "";
  if (!result.empty() && result[0] == '/') {
    result = "Z:" + result;
    for (char &c : result) {
      c = c == '/' ? '\\' : c;
    }
  }
  return result;
}

static bool RemoteClassIs(HWND window, const char *className) {
  char name[64];
  return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, className) == 0;
}

static DWORD RemoteWindowProcess(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

struct RemoteWindowSearch {
  DWORD processId;
  const char *className;
  int32_t kind; // -1: any window of the class, else a RemoteDialogKind
  HWND found;
};

static BOOL CALLBACK RemoteWindowSearchVisit(HWND window, LPARAM data) {
  RemoteWindowSearch *search = reinterpret_cast<RemoteWindowSearch *>(data);
  if (RemoteWindowProcess(window) != search->processId || !IsWindowVisible(window) ||
      !RemoteClassIs(window, search->className)) {
    return TRUE;
  }
  RemoteDialogKind kind = GetDlgItem(window, REMOTE_FILE_NAME_BOX)      ? REMOTE_DIALOG_FILE
                          : GetDlgItem(window, REMOTE_FIND_DOWN_BUTTON) ? REMOTE_DIALOG_FIND
                                                                        : REMOTE_DIALOG_MESSAGE;
  if (search->kind >= 0 && kind != search->kind) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

static HWND RemoteFindWindow(DWORD processId, const char *className, int32_t kind) {
  RemoteWindowSearch search = {processId, className, kind, nullptr};
  EnumWindows(RemoteWindowSearchVisit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

static std::wstring RemoteWide(const std::string &text) {
  std::wstring wide(text.size() + 1, L'\0');
  int32_t length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  wide.resize(length > 0 ? length - 1 : 0);
  return wide;
}

int32_t RemoteViewerStart(RemoteViewer *viewer, const std::string &exePath, DWORD timeoutMs,
                          const std::wstring &arguments, const std::wstring &folder) {
  ZeroMemory(viewer, sizeof *viewer);
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  std::wstring program = RemoteWide(exePath);
  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &viewer->process)) {
    return 0;
  }
  char windowClass[32];
  std::snprintf(windowClass, sizeof windowClass, WINDOW_CLASS_NAME_FORMAT, static_cast<int>(WINDOW_MAIN));
  for (DWORD waited = 0; waited < timeoutMs; waited += REMOTE_POLL_MS) {
    // The window shows before its gadgets exist; the last one made is the
    // separator field, and then the viewer waits for its first event.
    viewer->window = RemoteFindWindow(viewer->process.dwProcessId, windowClass, -1);
    if (viewer->window && GetDlgItem(viewer->window, GADGET_SEPARATOR_FIELD)) {
      return WaitForInputIdle(viewer->process.hProcess, timeoutMs - waited) == 0;
    }
    if (WaitForSingleObject(viewer->process.hProcess, REMOTE_POLL_MS) == WAIT_OBJECT_0) {
      return 0;
    }
  }
  return 0;
}

DWORD RemoteViewerWaitExit(RemoteViewer *viewer, DWORD timeoutMs) {
  if (WaitForSingleObject(viewer->process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    return STILL_ACTIVE;
  }
  DWORD exitCode = STILL_ACTIVE;
  GetExitCodeProcess(viewer->process.hProcess, &exitCode);
  return exitCode;
}

void RemoteViewerRelease(RemoteViewer *viewer) {
  if (!viewer->process.hProcess) {
    return;
  }
  if (WaitForSingleObject(viewer->process.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(viewer->process.hProcess, 1);
    WaitForSingleObject(viewer->process.hProcess, 5000);
  }
  CloseHandle(viewer->process.hThread);
  CloseHandle(viewer->process.hProcess);
  ZeroMemory(viewer, sizeof *viewer);
}

HWND RemoteViewerGadget(const RemoteViewer *viewer, int32_t number) {
  return GetDlgItem(viewer->window, number);
}

void RemoteClick(HWND control) {
  RECT client;
  GetClientRect(control, &client);
  LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(control, WM_LBUTTONUP, 0, point);
}

std::string RemoteWindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS, &length)) {
    return std::string();
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                      REMOTE_SEND_TIMEOUT_MS, &copied);
  text.resize(copied);
  return text;
}

void RemoteSetText(HWND window, const std::string &text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                      REMOTE_SEND_TIMEOUT_MS, &ignored);
}

HWND RemoteViewerDialog(const RemoteViewer *viewer, RemoteDialogKind kind) {
  return RemoteFindWindow(viewer->process.dwProcessId, "#32770", kind);
}

HWND RemoteViewerWaitDialog(const RemoteViewer *viewer, RemoteDialogKind kind, DWORD timeoutMs) {
  for (DWORD waited = 0;; waited += REMOTE_POLL_MS) {
    HWND dialog = RemoteViewerDialog(viewer, kind);
    if (dialog || waited >= timeoutMs) {
      return dialog;
    }
    Sleep(REMOTE_POLL_MS);
  }
}

int32_t RemoteWindowWaitHidden(HWND window, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += REMOTE_POLL_MS) {
    if (!IsWindowVisible(window)) {
      return 1;
    }
    Sleep(REMOTE_POLL_MS);
  }
  return 0;
}

int32_t RemoteViewerWaitDialogGone(const RemoteViewer *viewer, RemoteDialogKind kind, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += REMOTE_POLL_MS) {
    if (!RemoteViewerDialog(viewer, kind)) {
      return 1;
    }
    Sleep(REMOTE_POLL_MS);
  }
  return 0;
}

void RemoteFileDialogChoose(HWND dialog, const std::string &path) {
  RemoteSetText(GetDlgItem(dialog, REMOTE_FILE_NAME_BOX), path);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void RemoteFileDialogChoose(HWND dialog, const std::wstring &path) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, REMOTE_FILE_NAME_BOX), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                      SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS, &ignored);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void RemoteFileDialogCancel(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

std::string RemoteFileDialogName(HWND dialog) {
  return RemoteWindowText(GetDlgItem(dialog, REMOTE_FILE_NAME_BOX));
}

static BOOL CALLBACK RemoteMessageTextVisit(HWND control, LPARAM data) {
  std::string *text = reinterpret_cast<std::string *>(data);
  if (RemoteClassIs(control, "Static")) {
    std::string piece = RemoteWindowText(control);
    if (!piece.empty()) {
      *text += (text->empty() ? "" : "\n") + piece;
    }
  }
  return TRUE;
}

std::string RemoteMessageText(HWND box) {
  std::string text;
  EnumChildWindows(box, RemoteMessageTextVisit, reinterpret_cast<LPARAM>(&text));
  return text;
}

void RemoteMessageConfirm(HWND box) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

// A record followed by a text buffer, in the viewer's address space.
struct RemoteBlock {
  HANDLE process;
  char *address;
  SIZE_T size;
};

static int32_t RemoteBlockAllocate(RemoteBlock *block, HANDLE process, SIZE_T size) {
  block->process = process;
  block->size = size;
  block->address =
      static_cast<char *>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  return block->address != nullptr;
}

static void RemoteBlockFree(RemoteBlock *block) {
  VirtualFreeEx(block->process, block->address, 0, MEM_RELEASE);
}

static std::string RemoteBlockText(const RemoteBlock *block, SIZE_T offset) {
  std::string text(block->size - offset, '\0');
  SIZE_T read = 0;
  ReadProcessMemory(block->process, block->address + offset, &text[0], text.size(), &read);
  text.resize(lstrlenA(text.c_str()));
  return text;
}

int32_t RemoteListCount(HWND list) {
  DWORD_PTR count = 0;
  SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS, &count);
  return static_cast<int32_t>(count);
}

static std::string RemoteListCellIn(const RemoteBlock *block, HWND list, int32_t row, int32_t column) {
  LVITEMA item;
  ZeroMemory(&item, sizeof item);
  item.iSubItem = column;
  item.pszText = block->address + sizeof item;
  item.cchTextMax = REMOTE_TEXT_CAPACITY;
  char none = 0;
  WriteProcessMemory(block->process, block->address, &item, sizeof item, nullptr);
  WriteProcessMemory(block->process, item.pszText, &none, 1, nullptr);
  DWORD_PTR length = 0;
  SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block->address), SMTO_NORMAL,
                      REMOTE_SEND_TIMEOUT_MS, &length);
  return RemoteBlockText(block, sizeof item);
}

std::string RemoteListCell(const RemoteViewer *viewer, HWND list, int32_t row, int32_t column) {
  RemoteBlock block;
  if (!RemoteBlockAllocate(&block, viewer->process.hProcess, sizeof(LVITEMA) + REMOTE_TEXT_CAPACITY)) {
    return std::string();
  }
  std::string text = RemoteListCellIn(&block, list, row, column);
  RemoteBlockFree(&block);
  return text;
}

// The cell in the control's own UTF-16, which holds what the 8-bit read turns
// into the code page's look-alikes or "?".
static std::wstring RemoteListCellWideIn(const RemoteBlock *block, HWND list, int32_t row, int32_t column) {
  LVITEMW item;
  ZeroMemory(&item, sizeof item);
  item.iSubItem = column;
  item.pszText = reinterpret_cast<WCHAR *>(block->address + sizeof item);
  item.cchTextMax = static_cast<int>((block->size - sizeof item) / sizeof(WCHAR));
  WCHAR none = 0;
  WriteProcessMemory(block->process, block->address, &item, sizeof item, nullptr);
  WriteProcessMemory(block->process, item.pszText, &none, sizeof none, nullptr);
  DWORD_PTR length = 0;
  SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block->address), SMTO_NORMAL,
                      REMOTE_SEND_TIMEOUT_MS, &length);
  std::wstring text(static_cast<size_t>(item.cchTextMax), L'\0');
  SIZE_T read = 0;
  ReadProcessMemory(block->process, item.pszText, &text[0], text.size() * sizeof(WCHAR), &read);
  text.resize(static_cast<size_t>(lstrlenW(text.c_str())));
  return text;
}

// Every row's cells, read through one block in the viewer, of the size its
// cell reader needs.
template <typename Text>
static std::vector<std::vector<Text>> RemoteListRowsRead(const RemoteViewer *viewer, HWND list, int32_t columns,
                                                         SIZE_T blockSize,
                                                         Text (*cell)(const RemoteBlock *, HWND, int32_t, int32_t)) {
  std::vector<std::vector<Text>> rows;
  RemoteBlock block;
  if (!RemoteBlockAllocate(&block, viewer->process.hProcess, blockSize)) {
    return rows;
  }
  int32_t count = RemoteListCount(list);
  for (int32_t row = 0; row < count; row++) {
    rows.emplace_back();
    for (int32_t column = 0; column < columns; column++) {
      rows.back().push_back(cell(&block, list, row, column));
    }
  }
  RemoteBlockFree(&block);
  return rows;
}

std::vector<std::vector<std::wstring>> RemoteListRowsWide(const RemoteViewer *viewer, HWND list, int32_t columns) {
  return RemoteListRowsRead(viewer, list, columns, sizeof(LVITEMW) + REMOTE_TEXT_CAPACITY * sizeof(WCHAR),
                            RemoteListCellWideIn);
}

std::vector<std::vector<std::string>> RemoteListRows(const RemoteViewer *viewer, HWND list, int32_t columns) {
  return RemoteListRowsRead(viewer, list, columns, sizeof(LVITEMA) + REMOTE_TEXT_CAPACITY, RemoteListCellIn);
}

int32_t RemoteListColumnCount(HWND list) {
  DWORD_PTR header = 0;
  DWORD_PTR count = 0;
  SendMessageTimeoutA(list, LVM_GETHEADER, 0, 0, SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS, &header);
  SendMessageTimeoutA(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS,
                      &count);
  return static_cast<int32_t>(count);
}

int32_t RemoteListColumn(const RemoteViewer *viewer, HWND list, int32_t column, std::string *title, int32_t *width) {
  RemoteBlock block;
  if (!RemoteBlockAllocate(&block, viewer->process.hProcess, sizeof(LVCOLUMNA) + REMOTE_TEXT_CAPACITY)) {
    return 0;
  }
  LVCOLUMNA record;
  ZeroMemory(&record, sizeof record);
  record.mask = LVCF_TEXT | LVCF_WIDTH;
  record.pszText = block.address + sizeof record;
  record.cchTextMax = REMOTE_TEXT_CAPACITY;
  WriteProcessMemory(block.process, block.address, &record, sizeof record, nullptr);
  DWORD_PTR found = 0;
  SendMessageTimeoutA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(block.address), SMTO_NORMAL,
                      REMOTE_SEND_TIMEOUT_MS, &found);
  if (found) {
    ReadProcessMemory(block.process, block.address, &record, sizeof record, nullptr);
    *width = record.cx;
    *title = RemoteBlockText(&block, sizeof record);
  }
  RemoteBlockFree(&block);
  return found != 0;
}

std::string RemoteViewerLoad(const RemoteViewer *viewer, const std::string &path, DWORD timeoutMs, std::string *title) {
  RemoteClick(RemoteViewerGadget(viewer, GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(viewer, REMOTE_DIALOG_FILE, timeoutMs);
  if (!dialog) {
    return std::string();
  }
  RemoteFileDialogChoose(dialog, path);
  RemoteWindowWaitHidden(dialog, timeoutMs);
  return RemoteViewerConfirmMessage(viewer, timeoutMs, title);
}

std::string RemoteViewerConfirmMessage(const RemoteViewer *viewer, DWORD timeoutMs, std::string *title) {
  HWND box = RemoteViewerWaitDialog(viewer, REMOTE_DIALOG_MESSAGE, timeoutMs);
  if (!box) {
    return std::string();
  }
  std::string text = RemoteMessageText(box);
  if (title) {
    *title = RemoteWindowText(box);
  }
  RemoteMessageConfirm(box);
  RemoteViewerWaitDialogGone(viewer, REMOTE_DIALOG_MESSAGE, timeoutMs);
  return text;
}

int32_t RemoteDropFiles(const RemoteViewer *viewer, HWND window, const std::vector<std::wstring> &names) {
  // The names follow the block, each with its NUL, and an empty name ends them.
  std::vector<char> bytes(sizeof(DROPFILES));
  for (const std::wstring &name : names) {
    const char *text = reinterpret_cast<const char *>(name.c_str());
    bytes.insert(bytes.end(), text, text + (name.size() + 1) * sizeof(wchar_t));
  }
  bytes.resize(bytes.size() + sizeof(wchar_t), 0);
  DROPFILES *drop = reinterpret_cast<DROPFILES *>(bytes.data());
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  // The viewer frees the block when it has read it (DragFinish); memory that
  // its heap does not know it refuses to free and keeps, a few bytes a test.
  RemoteBlock block;
  if (!RemoteBlockAllocate(&block, viewer->process.hProcess, bytes.size())) {
    return 0;
  }
  WriteProcessMemory(block.process, block.address, bytes.data(), bytes.size(), nullptr);
  return PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block.address), 0) != 0;
}

struct RemoteWindowList {
  DWORD processId;
  std::string text;
};

static BOOL CALLBACK RemoteWindowListVisit(HWND window, LPARAM data) {
  RemoteWindowList *list = reinterpret_cast<RemoteWindowList *>(data);
  if (RemoteWindowProcess(window) != list->processId) {
    return TRUE;
  }
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  list->text += std::string(className) + " \"" + RemoteWindowText(window) + "\"" +
                (IsWindowVisible(window) ? " visible" : " hidden") + (IsWindowEnabled(window) ? "" : " disabled") +
                "; ";
  return TRUE;
}

std::string RemoteViewerDescribeWindows(const RemoteViewer *viewer) {
  RemoteWindowList list = {viewer->process.dwProcessId, std::string()};
  EnumWindows(RemoteWindowListVisit, reinterpret_cast<LPARAM>(&list));
  return list.text;
}

void RemoteListSelect(const RemoteViewer *viewer, HWND list, int32_t row, bool selected) {
  RemoteBlock block;
  if (!RemoteBlockAllocate(&block, viewer->process.hProcess, sizeof(LVITEMA))) {
    return;
  }
  LVITEMA item;
  ZeroMemory(&item, sizeof item);
  item.stateMask = LVIS_SELECTED;
  item.state = selected ? LVIS_SELECTED : 0;
  WriteProcessMemory(block.process, block.address, &item, sizeof item, nullptr);
  DWORD_PTR done = 0;
  SendMessageTimeoutA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.address),
                      SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS, &done);
  RemoteBlockFree(&block);
}

static void RemoteKeyInput(std::vector<INPUT> *inputs, WORD key, bool up) {
  INPUT input;
  ZeroMemory(&input, sizeof input);
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs->push_back(input);
}

// The focus of another thread is set with its input joined to this one's
// for a moment; a click would change a list's selection.
static bool RemoteFocusSet(HWND control) {
  DWORD self = GetCurrentThreadId();
  DWORD target = GetWindowThreadProcessId(control, nullptr);
  AttachThreadInput(self, target, TRUE);
  SetFocus(control);
  bool focused = GetFocus() == control;
  AttachThreadInput(self, target, FALSE);
  return focused;
}

// The viewer's thread takes the activation in its own time, for instance
// while a message box of it is still going, so both are tried until they hold.
static int32_t RemoteWindowFocus(HWND window, HWND control) {
  for (DWORD waited = 0; waited < REMOTE_FOREGROUND_MS; waited += REMOTE_POLL_MS) {
    SetForegroundWindow(window);
    if (GetForegroundWindow() == window && RemoteFocusSet(control) && GetForegroundWindow() == window) {
      return 1;
    }
    Sleep(REMOTE_POLL_MS);
  }
  return 0;
}

int32_t RemoteViewerFocus(const RemoteViewer *viewer, HWND control) {
  return RemoteWindowFocus(viewer->window, control);
}

int32_t RemoteKeyPressWith(const RemoteViewer *viewer, HWND control, WORD modifier, WORD key) {
  if (!RemoteViewerFocus(viewer, control)) {
    return 0;
  }
  std::vector<INPUT> inputs;
  if (modifier) {
    RemoteKeyInput(&inputs, modifier, false);
  }
  RemoteKeyInput(&inputs, key, false);
  RemoteKeyInput(&inputs, key, true);
  if (modifier) {
    RemoteKeyInput(&inputs, modifier, true);
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

int32_t RemoteKeyPress(const RemoteViewer *viewer, HWND control, WORD key, bool withControl) {
  return RemoteKeyPressWith(viewer, control, withControl ? VK_CONTROL : 0, key);
}

int32_t RemoteClipboardRead(std::string *bytes, std::wstring *wide) {
  if (!OpenClipboard(nullptr)) {
    return 0;
  }
  HANDLE narrow = GetClipboardData(CF_TEXT);
  HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
  if (narrow && unicode) {
    *bytes = static_cast<const char *>(GlobalLock(narrow));
    GlobalUnlock(narrow);
    *wide = static_cast<const wchar_t *>(GlobalLock(unicode));
    GlobalUnlock(unicode);
  }
  CloseClipboard();
  return narrow && unicode;
}

int32_t RemoteClipboardPut(const std::string &bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  if (!block) {
    return 0;
  }
  CopyMemory(GlobalLock(block), bytes.c_str(), bytes.size() + 1);
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return 0;
  }
  EmptyClipboard();
  bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
  if (!placed) {
    GlobalFree(block);
  }
  CloseClipboard();
  return placed;
}

int32_t RemoteClipboardWaitChange(DWORD sequence, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += REMOTE_POLL_MS) {
    if (GetClipboardSequenceNumber() != sequence && OpenClipboard(nullptr)) {
      CloseClipboard();
      return 1;
    }
    Sleep(REMOTE_POLL_MS);
  }
  return 0;
}

int32_t RemoteViewerBeginLoad(const RemoteViewer *viewer, const std::string &path, DWORD timeoutMs) {
  RemoteClick(RemoteViewerGadget(viewer, GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(viewer, REMOTE_DIALOG_FILE, timeoutMs);
  if (!dialog) {
    return 0;
  }
  RemoteFileDialogChoose(dialog, path);
  return RemoteWindowWaitHidden(dialog, timeoutMs);
}

void RemoteViewerKeyMessage(const RemoteViewer *viewer, WPARAM key, RemoteKeyKind kind) {
  GUITHREADINFO info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  HWND target = GetGUIThreadInfo(viewer->process.dwThreadId, &info) && info.hwndFocus ? info.hwndFocus : viewer->window;
  UINT scanCode = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  LPARAM lParam = 1 | static_cast<LPARAM>(scanCode << 16);
  // Bit 30: the key was down before; bit 31: it goes up.
  const LPARAM KIND_BITS[] = {0, LPARAM(1) << 30, LPARAM(3) << 30};
  PostMessageA(target, kind == REMOTE_KEY_RELEASE ? WM_KEYUP : WM_KEYDOWN, key, lParam | KIND_BITS[kind]);
}

void RemoteViewerKeyPost(const RemoteViewer *viewer, WPARAM key) {
  RemoteViewerKeyMessage(viewer, key, REMOTE_KEY_PRESS);
  RemoteViewerKeyMessage(viewer, key, REMOTE_KEY_RELEASE);
}

int32_t RemoteWindowProbe(HWND window, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored)) {
    return -1;
  }
  return static_cast<int32_t>(GetTickCount() - start);
}

std::string RemoteWindowWaitTitle(HWND window, DWORD timeoutMs, const std::string &other) {
  for (DWORD waited = 0; waited < timeoutMs; waited += REMOTE_POLL_MS) {
    // For another process's window this reads the title without a message.
    char title[256] = "";
    if (GetWindowTextA(window, title, sizeof title) > 0 && title != other) {
      return title;
    }
    Sleep(REMOTE_POLL_MS);
  }
  return other;
}

void RemoteListHeaderClick(const RemoteViewer *viewer, HWND list, int32_t column) {
  int32_t left = 0;
  int32_t width = 0;
  std::string title;
  for (int32_t before = 0; before <= column && RemoteListColumn(viewer, list, before, &title, &width); before++) {
    left += before < column ? width : 0;
  }
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  LPARAM point = MAKELPARAM(left + width / 2, 5);
  PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(header, WM_LBUTTONUP, 0, point);
}

int32_t RemoteListSortArrow(const RemoteViewer *viewer, HWND list, int32_t column) {
  RemoteBlock block;
  if (!RemoteBlockAllocate(&block, viewer->process.hProcess, sizeof(HDITEMA))) {
    return 0;
  }
  HDITEMA item;
  ZeroMemory(&item, sizeof item);
  item.mask = HDI_FORMAT;
  WriteProcessMemory(block.process, block.address, &item, sizeof item, nullptr);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  DWORD_PTR found = 0;
  SendMessageTimeoutA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(block.address), SMTO_NORMAL,
                      REMOTE_SEND_TIMEOUT_MS, &found);
  ReadProcessMemory(block.process, block.address, &item, sizeof item, nullptr);
  RemoteBlockFree(&block);
  return (item.fmt & HDF_SORTUP) ? 1 : ((item.fmt & HDF_SORTDOWN) ? -1 : 0);
}

int32_t RemoteListSortBy(const RemoteViewer *viewer, HWND list, int32_t column, DWORD timeoutMs) {
  int32_t before = RemoteListSortArrow(viewer, list, column);
  RemoteListHeaderClick(viewer, list, column);
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    int32_t now = RemoteListSortArrow(viewer, list, column);
    if (now != before) {
      return now;
    }
    Sleep(20);
  }
  return 2;
}

void RemoteFindDialogSearch(HWND dialog, const std::wstring &text, bool matchCase, bool down) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, REMOTE_FIND_TEXT_BOX), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS, &ignored);
  // Clicked, as the dialog keeps its options from the clicks.
  if ((IsDlgButtonChecked(dialog, chx2) == BST_CHECKED) != matchCase) {
    SendMessageTimeoutA(GetDlgItem(dialog, chx2), BM_CLICK, 0, 0, SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS, &ignored);
  }
  SendMessageTimeoutA(GetDlgItem(dialog, down ? rad2 : rad1), BM_CLICK, 0, 0, SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS,
                      &ignored);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

int32_t RemoteFindDialogType(HWND dialog, const std::wstring &text) {
  HWND box = GetDlgItem(dialog, REMOTE_FIND_TEXT_BOX);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_NORMAL, REMOTE_SEND_TIMEOUT_MS, &ignored);
  if (!RemoteWindowFocus(dialog, box)) {
    return 0;
  }
  std::vector<INPUT> inputs;
  for (wchar_t unit : text) {
    for (DWORD up : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
      INPUT input;
      ZeroMemory(&input, sizeof input);
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = unit;
      input.ki.dwFlags = KEYEVENTF_UNICODE | up;
      inputs.push_back(input);
    }
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

std::wstring RemoteFindDialogText(HWND dialog) {
  wchar_t text[256] = L"";
  GetDlgItemTextW(dialog, REMOTE_FIND_TEXT_BOX, text, 256);
  return text;
}
