// Finding the toolkit window, and its number, behind a platform window.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/windows/window.h"

// Marks a window with its number ("QX_WindowID"), or removes the mark.
void WindowNumberMark(HWND window, int32_t number);
void WindowNumberUnmark(HWND window);
// The number in the window's own mark, or -1 without one.
int32_t WindowNumberOf(HWND window);
// The number of the first window from this one up through its parents that
// carries the property, or -1 when none does.
int32_t WindowNumberOfOwner(HWND window);
WindowRecord *WindowRecordOf(int32_t number);
