// The current gadget list: the window new gadgets are created on.
#pragma once
#include <cstdint>
#include <windows.h>

// The gadget library's state: created by its start-up, managed here.
struct GadgetListState {
  HWND currentGadgetList;
  HFONT currentFont;
  HWND *stackBuffer;
  int32_t stackDepth;
  int32_t stackCapacity;
  HWND auxiliaryWindow;
};

extern GadgetListState *GadgetListStateRecord; // reach it through LibraryStateGet

// The state with an empty container stack and the given font current.
void GadgetListStateCreate(HFONT font);

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
