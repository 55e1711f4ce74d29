#include "toolkit/startup/controls_startup.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

// The extended classes the toolkit has always asked for.
static const DWORD EXTENDED_CONTROL_CLASSES =
    ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES;
static_assert(EXTENDED_CONTROL_CLASSES == 0xB48, "the five extended control classes");
static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "the record's size is fixed on every platform");

bool ControlsStartup() {
  // The extended classes first, then the plain call: the order gadgets have
  // always been created after.
  INITCOMMONCONTROLSEX controls;
  controls.dwSize = sizeof(controls);
  controls.dwICC = EXTENDED_CONTROL_CLASSES;
  InitCommonControlsEx(&controls);
  InitCommonControls();
  // The GUI thread is a single-threaded apartment before the first window.
  CoInitialize(nullptr);
  return true;
}
