// The owner of a requester: the foreground window, but never another program's.
#include "toolkit/requesters/requesters.h"

HWND ForegroundOwner() {
  HWND window = GetForegroundWindow();
  if (!window) {
    return nullptr;
  }
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId == GetCurrentProcessId() ? window : nullptr;
}
