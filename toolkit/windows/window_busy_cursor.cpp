// The wait cursor is "working in the background" (arrow and hourglass): the
// windows still repaint, move and take Esc during the work.
#include "toolkit/windows/window_busy_cursor.h"

#include "toolkit/windows/event.h"

static HCURSOR BusyCursor;
static HCURSOR CursorBefore;

void WindowBusyCursorSet(int32_t busy) {
  if (busy) {
    BusyCursor = LoadCursorA(nullptr, IDC_APPSTARTING);
    CursorBefore = SetCursor(BusyCursor);
  } else if (BusyCursor != nullptr) {
    BusyCursor = nullptr;
    SetCursor(CursorBefore);
  }
}

LRESULT WindowBusyCursorAnswer(LPARAM lParam) {
  if (BusyCursor == nullptr || LOWORD(lParam) != HTCLIENT) {
    return PROC_DEFAULT;
  }
  SetCursor(BusyCursor);
  return TRUE;
}
