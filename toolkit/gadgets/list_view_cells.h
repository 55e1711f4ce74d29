// Work over every row of a list (sorting, searching): its cells read and
// written as wide text, its row data, selection and focus, and the header's
// click and sort arrow.
#pragma once
#include <cstdint>
#include <windows.h>
#include <commctrl.h>
#include "toolkit/core/object_registry.h"

// The control and its own procedure, called directly: the message path
// around it costs more than reading a cell. Cells go in and out as wide
// text, so rows given in either form keep their characters.
struct ListViewCells {
  HWND control;
  WNDPROC proc;
  int32_t rows;
  int32_t columns;
};

// False for a number that names no list view.
bool ListViewCellsOpen(ObjectId number, ListViewCells *cells);
void ListViewCellsOf(HWND control, ListViewCells *cells);
// The cell's text into buffer (size units with its NUL); its length. A
// result of size - 1 or more means the text may have been cut.
int32_t ListViewCellRead(const ListViewCells *cells, int32_t row, int32_t column, wchar_t *buffer, int32_t size);
void ListViewCellWrite(const ListViewCells *cells, int32_t row, int32_t column, const wchar_t *text);
LPARAM ListViewRowParam(const ListViewCells *cells, int32_t row);
void ListViewRowParamSet(const ListViewCells *cells, int32_t row, LPARAM param);
// The next selected row after row (-1: from the start), or -1.
int32_t ListViewNextSelected(const ListViewCells *cells, int32_t row);
int32_t ListViewFocusedRow(const ListViewCells *cells);
int32_t ListViewSelectedCount(const ListViewCells *cells);
// Bits LVIS_SELECTED and LVIS_FOCUSED of the row (-1: every row) set to state.
void ListViewRowStateSet(const ListViewCells *cells, int32_t row, UINT mask, UINT state);

// The row made the only selected one, focused and scrolled into view.
void ListViewRowShowAlone(const ListViewCells *cells, int32_t row);

// The column whose header was last clicked (GADGET_EVENT_COLUMN_CLICK),
// forgotten as it is taken: -1 when none is waiting. Work that ignores
// clicks takes the click itself, so the event left queued finds none.
int32_t ListViewColumnClickTake(ObjectId number);
// The header's sort arrow on the column, up (1) or down (-1); every other
// column, or all for direction 0, without.
void ListViewSortArrowSet(ObjectId number, int32_t column, int32_t direction);
