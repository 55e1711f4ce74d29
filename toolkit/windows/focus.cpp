#include "toolkit/windows/focus.h"

namespace {

bool FocusEligible(HWND control) {
  return IsWindowEnabled(control) && IsWindowVisible(control) &&
         (GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

BOOL CALLBACK FocusStepForward(HWND control, LPARAM lParam) {
  FocusWalk *walk = reinterpret_cast<FocusWalk *>(lParam);
  if (!FocusEligible(control)) {
    return TRUE;
  }
  if (walk->takeNext) {
    SetFocus(control);
    walk->takeNext = 0;
    return FALSE;
  }
  if (walk->current == nullptr) {
    SetFocus(control);
    return FALSE;
  }
  if (control == walk->current) {
    walk->takeNext = 1;
  }
  return TRUE;
}

BOOL CALLBACK FocusStepBackward(HWND control, LPARAM lParam) {
  FocusWalk *walk = reinterpret_cast<FocusWalk *>(lParam);
  if (!FocusEligible(control)) {
    return TRUE;
  }
  if (control == walk->current && walk->previous != nullptr) {
    SetFocus(walk->previous);
    walk->done = 1;
    walk->previous = control;
    return FALSE;
  }
  walk->previous = control;
  return TRUE;
}

} // namespace

void FocusMove(int32_t backward) {
  HWND scope = GetActiveWindow();
  // Without an active window the enumeration would walk the top-level windows.
  if (scope == nullptr) {
    return;
  }
  HWND focus = GetFocus();
  FocusWalk walk = {};
  walk.current = IsChild(scope, focus) ? focus : nullptr;
  if (backward == 0) {
    EnumChildWindows(scope, FocusStepForward, reinterpret_cast<LPARAM>(&walk));
    // The current control was the last eligible one: wrap to the first.
    if (walk.takeNext) {
      EnumChildWindows(scope, FocusStepForward, reinterpret_cast<LPARAM>(&walk));
    }
    return;
  }
  EnumChildWindows(scope, FocusStepBackward, reinterpret_cast<LPARAM>(&walk));
  // Nothing before the current control (or no current control): the last one.
  if (!walk.done && walk.previous != nullptr) {
    SetFocus(walk.previous);
  }
}
