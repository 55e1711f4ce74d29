// Multi-column list of text rows in report view, with its own grid lines,
// per-row colours and data, and click, change and drag events.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/object_registry.h"

enum : uint32_t {
  LISTVIEW_FLAG_CHECKBOXES = 0x1,
  LISTVIEW_FLAG_MULTISELECT = 0x4,
  LISTVIEW_FLAG_GRIDLINES = 0x10000,
  LISTVIEW_FLAG_HEADER_DRAGDROP = 0x10000000,
  LISTVIEW_FLAG_FULLROWSELECT = 0x40000000,
};

// Type words of a list view's GadgetRecord.
enum { LISTVIEW_LONGEST_TEXT = 0, LISTVIEW_ROW_IMAGES = 1, LISTVIEW_LINE_COLOR = 2, LISTVIEW_FLAGS = 3 };
enum : int32_t { LISTVIEW_RECORD_GRIDLINES = 4 };

extern COLORREF ListViewDefaultTextColor;
extern COLORREF ListViewDefaultBackColor;

HWND ListViewCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *title,
                    int32_t titleWidth, uint32_t flags);
LRESULT CALLBACK ListViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// 1 holds the list's redraw until it is called with 0, whatever message
// loops run meanwhile; 0 lets the next fetched message end the hold. Nothing
// for a number that names no list view.
void ListViewRedrawKeepHeld(ObjectId number, int32_t keep);
// 1 makes Ctrl+A and Ctrl+C in the list do nothing until it is called with
// 0: for work that rewrites the rows, which a copy would give half moved.
// Nothing for a number that names no list view.
void ListViewCommandsHold(ObjectId number, int32_t hold);
