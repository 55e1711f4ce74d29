// Tab and Shift+Tab focus movement between a window's tab-stop controls.
#pragma once
#include <cstdint>
#include <windows.h>

struct FocusWalk {
  HWND current;
  HWND previous;
  int32_t takeNext;
  int32_t done;
};

void FocusMove(int32_t backward);
