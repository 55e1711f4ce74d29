// Opening and closing numbered top-level windows, each with a class of its own.
#include "toolkit/windows/window.h"

#include <cstdio>

#include "toolkit/core/module_instance.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/gadget_list.h"
#include "toolkit/windows/window_class.h"
#include "toolkit/windows/window_lookup.h"
#include "toolkit/windows/window_style.h"

HICON WindowClassIcon;
HCURSOR WindowClassCursor;

namespace {
const int CLASS_NAME_SIZE = 256;

void WindowClassName(char (&name)[CLASS_NAME_SIZE], ObjectId number) {
  snprintf(name, sizeof name, WINDOW_CLASS_NAME_FORMAT, static_cast<int>(number));
}

void WindowClassRegister(const char *name) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowClassProc;
  windowClass.hInstance = ModuleInstance;
  windowClass.hIcon = WindowClassIcon;
  windowClass.hCursor = WindowClassCursor;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = name;
  // A failed registration is not examined: creation then fails or succeeds on
  // its own.
  RegisterClassA(&windowClass);
}

int WindowShowCommand(DWORD style) {
  if (style & WS_MAXIMIZE) {
    return SW_MAXIMIZE;
  }
  if (style & WS_MINIMIZE) {
    return SW_SHOWMINIMIZED;
  }
  return SW_SHOWNORMAL;
}

// Tab and Shift+Tab become the focus commands. Without memory or a table the
// window still opens, only without focus movement.
void WindowAcceleratorsCreate(WindowRecord *record) {
  record->acceleratorCount = 2;
  ACCEL *entries = static_cast<ACCEL *>(HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, 2 * sizeof(ACCEL)));
  if (entries == nullptr) {
    return;
  }
  entries[0] = {FVIRTKEY | FNOINVERT, VK_TAB, CMD_FOCUS_NEXT};
  entries[1] = {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, CMD_FOCUS_PREVIOUS};
  record->acceleratorEntries = entries;
  record->acceleratorTable = CreateAcceleratorTableA(entries, 2);
}
} // namespace

HWND WindowOpen(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *title,
                uint32_t flags) {
  // Closes a window open under this number completely, class included.
  WindowRecord *record = static_cast<WindowRecord *>(RegistryAllocate(WindowRegistry, number));
  if (record == nullptr) {
    return nullptr;
  }
  char className[CLASS_NAME_SIZE];
  WindowClassName(className, number);
  WindowClassRegister(className);

  WindowStyle style = WindowStyleFromFlags(flags);
  WindowPlacement placement = WindowPlacementCompute(x, y, width, height, flags, style);
  HWND window =
      CreateWindowExA(style.extendedStyle, className, title != nullptr ? title : "", style.style, placement.x,
                      placement.y, placement.width, placement.height, nullptr, nullptr, ModuleInstance, nullptr);
  if (window == nullptr) {
    UnregisterClassA(className, ModuleInstance);
    RegistryRelease(WindowRegistry, number);
    return nullptr;
  }
  record->window = window;
  WindowNumberMark(window, number);
  if (style.visible) {
    ShowWindow(window, WindowShowCommand(style.style));
  }

  // Looked up again: the record is only valid until the registry next grows.
  record = static_cast<WindowRecord *>(RegistryLookup(WindowRegistry, number));
  record->minimisedOrMaximised = (style.style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0 ? 1 : 0;
  WindowAcceleratorsCreate(record);
  if (!style.keepGadgetList) {
    GadgetListSet(window);
  }
  return window;
}

void WindowClose(ObjectId number) {
  WindowRecord *record = static_cast<WindowRecord *>(RegistryLookup(WindowRegistry, number));
  if (record == nullptr) {
    return;
  }
  ACCEL *entries = record->acceleratorEntries;
  HACCEL table = record->acceleratorTable;
  // Without its number the window produces no events while it is destroyed.
  WindowNumberUnmark(record->window);
  DestroyWindow(record->window);
  char className[CLASS_NAME_SIZE];
  WindowClassName(className, number);
  UnregisterClassA(className, ModuleInstance);
  if (entries != nullptr) {
    HeapFree(ProgramHeap, 0, entries);
    DestroyAcceleratorTable(table);
  }
  RegistryRelease(WindowRegistry, number);
}
