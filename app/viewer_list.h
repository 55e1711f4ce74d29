// The viewer's four-column list: where it stands, its columns, its flags and
// the control style they give. The viewer builds it from these, and so do the
// tests and benchmarks that need the same list.
#pragma once
#include <cstdint>
#include <windows.h>
#include <commctrl.h>
#include "toolkit/core/object_registry.h"
#include "toolkit/gadgets/list_view.h"

// Wider than the viewer's window on purpose: the window's edge cuts it off.
enum : int32_t { VIEWER_LIST_X = 5, VIEWER_LIST_Y = 5, VIEWER_LIST_WIDTH = 790, VIEWER_LIST_HEIGHT = 300 };
enum : int32_t { VIEWER_LIST_COLUMNS = 4, VIEWER_LIST_COLUMN_WIDTH = 100 };
constexpr const char *VIEWER_LIST_TITLES[VIEWER_LIST_COLUMNS] = {"Wert 1", "Wert 2", "Wert 3", "Wert 4"};

// Full-row selection, toolkit grid lines, selection kept visible without the
// focus (a list-view style bit passed through), several rows selectable.
constexpr uint32_t VIEWER_LIST_FLAGS =
    LISTVIEW_FLAG_FULLROWSELECT | LISTVIEW_FLAG_GRIDLINES | LVS_SHOWSELALWAYS | LISTVIEW_FLAG_MULTISELECT;
static_assert(VIEWER_LIST_FLAGS == 0x4001000C, "the viewer's list flags");

// The style the list control gets from those flags.
constexpr DWORD VIEWER_LIST_STYLE =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS | LVS_REPORT;
static_assert(VIEWER_LIST_STYLE == 0x50010049, "the viewer's list style");
// Its list-view extended style: double buffering, full-row selection.
constexpr DWORD VIEWER_LIST_EXTENDED_STYLE = LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT;
static_assert(VIEWER_LIST_EXTENDED_STYLE == 0x10020, "the viewer's list-view extended style");

// The list under the number with its four columns; null when it is refused.
// Tests that need a narrower list give another width.
HWND ViewerListCreate(ObjectId number, int32_t width = VIEWER_LIST_WIDTH);
