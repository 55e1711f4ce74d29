// What a toolkit window needs of the gadgets above it: a table of routines
// the gadget library's start-up fills in, so that the windows library never
// names a gadget routine.
#pragma once
#include <windows.h>

struct WindowGadgetCalls {
  // A message about a control, for that control's gadget: the gadget's
  // answer, or PROC_DEFAULT when the control is no gadget or leaves it.
  LRESULT (*ForwardMessage)(HWND control, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Empty until the gadget library starts: until then no control is a gadget.
extern WindowGadgetCalls WindowGadgets;

// The message handed on through the table, or PROC_DEFAULT while it is empty.
LRESULT WindowGadgetForward(HWND control, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
