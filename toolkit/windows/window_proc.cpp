// The procedure of every toolkit window class: messages become events.
#include "toolkit/core/library_state.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/event_queue.h"
#include "toolkit/windows/sizing.h"
#include "toolkit/windows/window_busy_cursor.h"
#include "toolkit/windows/window_command.h"
#include "toolkit/windows/window_drop.h"
#include "toolkit/windows/window_find.h"
#include "toolkit/windows/window_gadgets.h"
#include "toolkit/windows/window_lookup.h"

namespace {
BOOL CALLBACK SysColorChangeSend(HWND child, LPARAM) {
  SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

LRESULT WindowSizeHandle(HWND window, int32_t number, WindowRecord *record, WPARAM kind) {
  // A toolkit window before WindowOpen has numbered it produces no size events.
  if (WindowNumberOf(window) == -1 || record == nullptr) {
    return 1;
  }
  switch (kind) {
  case SIZE_RESTORED:
    if (record->minimisedOrMaximised == 1) {
      record->minimisedOrMaximised = 0;
      EventQueuePush(EVENT_RESTORE_WINDOW, number);
    }
    EventQueuePush(EVENT_SIZE_WINDOW, number);
    break;
  case SIZE_MINIMIZED:
    record->minimisedOrMaximised = 1;
    EventQueuePush(EVENT_MINIMIZE_WINDOW, number);
    break;
  case SIZE_MAXIMIZED:
    record->minimisedOrMaximised = 1;
    EventQueuePush(EVENT_MAXIMIZE_WINDOW, number);
    EventQueuePush(EVENT_SIZE_WINDOW, number);
    break;
  default:
    EventQueuePush(EVENT_SIZE_WINDOW, number);
    break;
  }
  return 0;
}
} // namespace

LRESULT WindowEventProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT sizing = WindowSizingProc(window, message, wParam, lParam);
  if (sizing != PROC_DEFAULT) {
    return sizing;
  }
  int32_t number = WindowNumberOfOwner(window);
  WindowRecord *record = WindowRecordOf(number);
  EventFields &working = LibraryStateGet(EventStateRecord)->working;
  working.window = number;
  if (WindowFindIsMessage(message)) {
    return WindowFindHandle(number, lParam);
  }

  switch (message) {
  case WM_MOVE:
    if (number != -1) {
      EventQueuePush(EVENT_MOVE_WINDOW, number);
    }
    return 0;
  case WM_SIZE:
    return WindowSizeHandle(window, number, record, wParam);
  case WM_ACTIVATE:
    if (LOWORD(wParam) != WA_INACTIVE) {
      EventQueuePush(EVENT_ACTIVATE_WINDOW, number);
    }
    return 1;
  case WM_CLOSE:
    // Closing is the application's decision: the window stays.
    if (number != -1) {
      EventQueuePush(EVENT_CLOSE_WINDOW, number);
    }
    return 0;
  case WM_ERASEBKGND:
    EventQueuePush(EVENT_REPAINT, number);
    return PROC_DEFAULT;
  case WM_SYSCOLORCHANGE:
    if (record != nullptr) {
      EnumChildWindows(window, SysColorChangeSend, 0);
    }
    return PROC_DEFAULT;
  case WM_GETMINMAXINFO:
    if (record == nullptr) {
      return PROC_DEFAULT;
    }
    // Tool windows may be made as narrow as one pixel.
    if (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) {
      reinterpret_cast<MINMAXINFO *>(lParam)->ptMinTrackSize.x = 1;
    }
    return 0;
  case WM_NOTIFY: {
    HWND source = lParam != 0 ? reinterpret_cast<NMHDR *>(lParam)->hwndFrom : nullptr;
    return WindowGadgetForward(source, window, message, wParam, lParam);
  }
  case WM_COMMAND:
    return WindowCommandHandle(window, wParam, lParam);
  case WM_HSCROLL:
  case WM_VSCROLL:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    return WindowGadgetForward(reinterpret_cast<HWND>(lParam), window, message, wParam, lParam);
  case WM_DROPFILES:
    return WindowDropHandle(number, wParam);
  case WM_SETCURSOR:
    return WindowBusyCursorAnswer(lParam);
  case MSG_GADGET_EVENT:
    EventGadgetReport(EVENT_GADGET, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
    return 0;
  default:
    return PROC_DEFAULT;
  }
}

LRESULT CALLBACK WindowClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = WindowEventProc(window, message, wParam, lParam);
  SetLastError(0);
  if (result == PROC_DEFAULT) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return result;
}
