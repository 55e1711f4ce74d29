// A wait cursor over the toolkit's windows while the thread works.
#pragma once
#include <cstdint>
#include <windows.h>

// 1 shows the wait cursor at once and keeps it over the inner areas of the
// toolkit's windows and their controls; 0 gives the cursor the system shows
// for where the mouse is now.
void WindowBusyCursorSet(int32_t busy);
// WM_SETCURSOR of a toolkit window: controls ask their parent first, so one
// answer covers them all. PROC_DEFAULT when not busy or not over an inner
// area (the frame keeps its sizing and arrow cursors).
LRESULT WindowBusyCursorAnswer(LPARAM lParam);
