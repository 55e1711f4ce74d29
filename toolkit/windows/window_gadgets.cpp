#include "toolkit/windows/window_gadgets.h"

#include "toolkit/windows/event.h"

WindowGadgetCalls WindowGadgets;

LRESULT WindowGadgetForward(HWND control, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (WindowGadgets.ForwardMessage == nullptr) {
    return PROC_DEFAULT;
  }
  return WindowGadgets.ForwardMessage(control, window, message, wParam, lParam);
}
