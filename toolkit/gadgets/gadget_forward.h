// A message about a control goes to that control's gadget: the routine the
// gadget library's start-up hands the windows library (window_gadgets.h).
#pragma once
#include <windows.h>

// The gadget's answer, or PROC_DEFAULT when the control is no toolkit gadget
// or its type does not handle messages at its parent.
LRESULT GadgetForwardMessage(HWND control, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
