// The current gadget list: the window new gadgets are created on.
#pragma once
#include <cstdint>
#include <windows.h>

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
