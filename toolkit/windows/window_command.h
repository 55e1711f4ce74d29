// WM_COMMAND at a toolkit window: gadget, menu and focus commands.
#pragma once
#include <windows.h>

LRESULT WindowCommandHandle(HWND window, WPARAM wParam, LPARAM lParam);
