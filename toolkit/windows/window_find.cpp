// One Find dialog for the thread: the record the dialog keeps a pointer to
// lives as long as the program.
#include "toolkit/windows/window_find.h"

#include <commdlg.h>
#include <dlgs.h>

#include "toolkit/windows/event.h"
#include "toolkit/windows/window.h"

namespace {
enum : int32_t { FIND_TEXT_UNITS = 256 };

struct FindDialogState {
  FINDREPLACEW record;
  wchar_t dialogText[FIND_TEXT_UNITS];
  wchar_t foundText[FIND_TEXT_UNITS];
  DWORD foundFlags;
  HWND dialog;
  UINT message;
};
FindDialogState Find;
} // namespace

int32_t WindowFindOpen(ObjectId number, const wchar_t *preset, DWORD flags) {
  if (Find.dialog != nullptr) {
    SetForegroundWindow(Find.dialog);
    return 1;
  }
  WindowRecord *record = static_cast<WindowRecord *>(RegistryLookup(WindowRegistry, number));
  if (record == nullptr) {
    return 0;
  }
  Find.message = RegisterWindowMessageW(FINDMSGSTRINGW);
  lstrcpynW(Find.dialogText, preset ? preset : L"", FIND_TEXT_UNITS);
  Find.record = FINDREPLACEW{};
  Find.record.lStructSize = sizeof Find.record;
  Find.record.hwndOwner = record->window;
  Find.record.Flags = (flags & (FR_DOWN | FR_MATCHCASE)) | FR_HIDEWHOLEWORD;
  Find.record.lpstrFindWhat = Find.dialogText;
  Find.record.wFindWhatLen = FIND_TEXT_UNITS * sizeof(wchar_t);
  Find.dialog = FindTextW(&Find.record);
  return Find.dialog != nullptr;
}

const wchar_t *EventFindText() {
  return Find.foundText;
}

DWORD EventFindFlags() {
  return Find.foundFlags;
}

bool WindowFindIsMessage(UINT message) {
  return Find.message != 0 && message == Find.message;
}

LRESULT WindowFindHandle(int32_t number, LPARAM lParam) {
  const FINDREPLACEW *record = reinterpret_cast<const FINDREPLACEW *>(lParam);
  if (record->Flags & FR_DIALOGTERM) {
    Find.dialog = nullptr;
  } else if ((record->Flags & FR_FINDNEXT) && number != -1) {
    if (GetDlgItemTextW(Find.dialog, edt1, Find.foundText, FIND_TEXT_UNITS) == 0) {
      Find.foundText[0] = L'\0';
    }
    Find.foundFlags = record->Flags & (FR_DOWN | FR_MATCHCASE);
    EventQueuePush(EVENT_FIND, number);
  }
  return 0;
}

bool WindowFindDialogActive() {
  return Find.dialog != nullptr && GetActiveWindow() == Find.dialog;
}

// A message fetched in the code page (a key pressed just before the dialog
// became active) goes through the matching 8-bit call, which turns it back:
// 0x80 into the euro sign, not U+0080.
bool WindowFindDialogMessage(MSG *message, bool wide) {
  return Find.dialog != nullptr && (wide ? IsDialogMessageW : IsDialogMessageA)(Find.dialog, message);
}
