// WM_COMMAND at a toolkit window: gadget, menu and focus commands.
#include "toolkit/windows/window_command.h"

#include "toolkit/core/library_state.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/event_queue.h"
#include "toolkit/windows/focus.h"
#include "toolkit/windows/window.h"
#include "toolkit/windows/window_gadgets.h"

LRESULT WindowCommandHandle(HWND window, WPARAM wParam, LPARAM lParam) {
  HWND control = reinterpret_cast<HWND>(lParam);
  // A gadget that answers the command itself produces no event.
  if (WindowGadgetForward(control, window, WM_COMMAND, wParam, lParam) != PROC_DEFAULT) {
    return 0;
  }
  EventFields &working = LibraryStateGet(EventStateRecord)->working;
  WORD notification = HIWORD(wParam);
  WORD command = LOWORD(wParam);
  // A menu event leaves the type as it is.
  if (control != nullptr) {
    EventGadgetReport(EVENT_GADGET, static_cast<int32_t>(GetWindowLongPtrA(control, GWLP_ID)), notification);
  } else if (notification == 0) {
    EventGadgetReport(EVENT_MENU, static_cast<int32_t>(wParam), working.EventType);
  } else if (command == CMD_FOCUS_NEXT) {
    FocusMove(0);
  } else if (command == CMD_FOCUS_PREVIOUS) {
    FocusMove(1);
  } else {
    EventGadgetReport(EVENT_MENU, command, working.EventType);
  }
  return 0;
}
