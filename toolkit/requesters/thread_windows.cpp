// Disabling the calling thread's other windows while a requester is open, and
// enabling exactly those again afterwards.
#include "toolkit/requesters/requesters.h"

HeapList DisabledWindowList;

static BOOL CALLBACK DisableIfThreadWindow(HWND window, LPARAM) {
  DWORD threadId = GetCurrentThreadId();
  if (GetWindowThreadProcessId(window, nullptr) != threadId || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
      window == GetForegroundWindow()) {
    return TRUE;
  }
  EnableWindow(window, FALSE);
  DisabledWindowEntry *entry =
      static_cast<DisabledWindowEntry *>(HeapListAdd(&DisabledWindowList, sizeof(DisabledWindowEntry)));
  if (!entry) {
    // Unrecorded, nothing would enable it again: leave it usable instead.
    EnableWindow(window, TRUE);
    return TRUE;
  }
  entry->threadId = threadId;
  entry->window = window;
  return TRUE;
}

void DisableThreadWindows() {
  EnumWindows(DisableIfThreadWindow, 0);
}

void EnableThreadWindows() {
  DWORD threadId = GetCurrentThreadId();
  void *payload = HeapListNewest(&DisabledWindowList);
  while (payload) {
    void *older = HeapListOlder(payload);
    DisabledWindowEntry *entry = static_cast<DisabledWindowEntry *>(payload);
    if (entry->threadId == threadId) {
      EnableWindow(entry->window, TRUE);
      HeapListRemove(&DisabledWindowList, payload);
    }
    payload = older;
  }
}
