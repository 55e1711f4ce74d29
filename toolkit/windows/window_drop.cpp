// WM_DROPFILES at a toolkit window. The name is read in wide characters, so
// that a name the code page cannot spell reaches the file whole; the rest of
// a drop of several files is not read. A dropped shortcut stands for its
// target, as in the open-file dialog. The drop is queued as an event of its
// own, like a close request, and its name waits here until the next drop.
#include "toolkit/windows/window_drop.h"

#include <cwchar>
#include <shellapi.h>
#include <shlobj.h>

#include "toolkit/files/file_path.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/window_lookup.h"

static wchar_t DroppedName[FILE_PATH_CAPACITY];

int32_t WindowAcceptDrops(ObjectId number) {
  WindowRecord *record = WindowRecordOf(number);
  if (record == nullptr) {
    return 0;
  }
  DragAcceptFiles(record->window, TRUE);
  return 1;
}

const wchar_t *EventDroppedFile() {
  return DroppedName;
}

// Shortcuts are told by their extension, as the desktop tells them.
static bool DropIsShortcut(const wchar_t *name) {
  size_t length = wcslen(name);
  return length >= 4 && _wcsicmp(name + length - 4, L".lnk") == 0;
}

// The target's item list names it in wide characters; the path a shortcut
// also keeps may be in the code page only, where a look-alike replaces a
// name it cannot spell.
static bool DropShortcutPath(IShellLinkW *link, wchar_t *target) {
  PIDLIST_ABSOLUTE item = nullptr;
  if (link->GetIDList(&item) != S_OK) {
    return false;
  }
  bool named = SHGetPathFromIDListEx(item, target, FILE_PATH_CAPACITY, GPFIDL_DEFAULT);
  CoTaskMemFree(item);
  return named;
}

// The path the shortcut names, in place of its own; empty when it cannot
// be read or names no file system object. A missing target is left for the
// open to refuse.
static void DropShortcutFollow(wchar_t *name) {
  static wchar_t target[FILE_PATH_CAPACITY];
  target[0] = L'\0';
  IShellLinkW *link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void **>(&link)))) {
    IPersistFile *file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
      if (FAILED(file->Load(name, STGM_READ)) || !DropShortcutPath(link, target)) {
        target[0] = L'\0';
      }
      file->Release();
    }
    link->Release();
  }
  wcscpy(name, target);
}

LRESULT WindowDropHandle(int32_t number, WPARAM dropParam) {
  HDROP drop = reinterpret_cast<HDROP>(dropParam);
  // A name that does not fit is not cut short into another file's name.
  DroppedName[0] = L'\0';
  if (DragQueryFileW(drop, 0, nullptr, 0) < FILE_PATH_CAPACITY) {
    DragQueryFileW(drop, 0, DroppedName, FILE_PATH_CAPACITY);
  }
  DragFinish(drop);
  if (DropIsShortcut(DroppedName)) {
    DropShortcutFollow(DroppedName);
  }
  if (number != -1) {
    EventQueuePush(EVENT_DROP_FILE, number);
  }
  return 0;
}
