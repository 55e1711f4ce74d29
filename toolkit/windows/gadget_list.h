// The current gadget list: the window new gadgets are created on.
#pragma once
#include <cstdint>
#include <windows.h>

// The state of the current gadget list: created by the windows library's
// start-up, its font set by the gadget library's.
struct GadgetListState {
  HWND currentGadgetList;
  HFONT currentFont;
  HWND *stackBuffer;
  int32_t stackDepth;
  int32_t stackCapacity;
  HWND auxiliaryWindow;
};

extern GadgetListState *GadgetListStateRecord; // reach it through LibraryStateGet

// The state with an empty container stack and no font.
void GadgetListStateCreate();

struct GadgetStackRecord {
  HWND window;
  HWND savedCurrentGadgetList;
  HWND *savedStackBuffer;
  int32_t savedDepth;
  int32_t savedCapacity;
  WNDPROC previousProcedure;
};

HWND GadgetListSet(HWND window);
LRESULT CALLBACK GadgetListSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
