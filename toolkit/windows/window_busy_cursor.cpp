// The wait cursor is "working in the background" (arrow and hourglass): the
// windows still repaint, move and take Esc during the work.
#include "toolkit/windows/window_busy_cursor.h"

#include "toolkit/windows/event.h"

static HCURSOR BusyCursor;

// The cursor for where the mouse is now, asked as a move of the mouse asks
// it: the mouse may have gone over another control, or out of the window,
// while the work ran. Over another thread's window that thread sets it.
static void WindowCursorAsk() {
  POINT point;
  if (!GetCursorPos(&point)) {
    return;
  }
  HWND under = WindowFromPoint(point);
  if (under == nullptr || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) {
    return;
  }
  LRESULT hit = SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(LOWORD(hit), WM_MOUSEMOVE));
}

void WindowBusyCursorSet(int32_t busy) {
  if (busy) {
    BusyCursor = LoadCursorA(nullptr, IDC_APPSTARTING);
    SetCursor(BusyCursor);
  } else if (BusyCursor != nullptr) {
    BusyCursor = nullptr;
    WindowCursorAsk();
  }
}

LRESULT WindowBusyCursorAnswer(LPARAM lParam) {
  if (BusyCursor == nullptr || LOWORD(lParam) != HTCLIENT) {
    return PROC_DEFAULT;
  }
  SetCursor(BusyCursor);
  return TRUE;
}
