// The toolkit's own sizing mode, run on ordinary messages so that the event
// loop keeps receiving events while a window changes size.
#pragma once
#include <cstdint>
#include <windows.h>

struct SizingState {
  int32_t active;
  int32_t keyboard;
  POINT savedCursor;
  RECT rectangle;
  int32_t edge; // 0 none chosen yet, else WMSZ_*
  MINMAXINFO limits;
};

// Created by WindowLibraryStartup; reach it through LibraryStateGet.
extern SizingState *SizingStateRecord;

LRESULT WindowSizingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void SizingRectFromPoint(int32_t x, int32_t y);
