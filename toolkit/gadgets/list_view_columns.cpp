// Columns: adding and removing them (the row records follow), their widths
// and the list's view mode.
#include <cstring>

#include "toolkit/core/program_heap.h"
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"

enum : int32_t { LISTVIEW_ATTRIBUTE_VIEW = 2, LISTVIEW_ITEM_ATTRIBUTE_WIDTH = 1 };

// Re-sizes a row record to pairs column pairs. When it cannot grow, the old
// record stays: its missing pairs read as "not set" (ListRowDataPairs).
static int32_t *ListRowDataResize(HWND control, int32_t row, int32_t *rowData, int32_t pairs) {
  SIZE_T size = sizeof(int32_t) * (LIST_ROW_FIRST_PAIR + 2 * static_cast<SIZE_T>(pairs));
  void *resized = HeapReAlloc(ProgramHeap, HEAP_ZERO_MEMORY, rowData, size);
  if (!resized) {
    return rowData;
  }
  if (resized != rowData) {
    ListRowDataSet(control, row, static_cast<int32_t *>(resized));
  }
  return static_cast<int32_t *>(resized);
}

// Gives every row record, after a column was added or removed at index, the
// list's new column count.
typedef void (*ListRowColumnStep)(HWND control, int32_t row, int32_t *rowData, int32_t columns, int32_t index);

static void ListRowDataEach(HWND control, int32_t index, ListRowColumnStep step) {
  int32_t columns = ListViewColumnCount(control);
  int32_t rows = ListViewRowCount(control);
  for (int32_t row = 0; row < rows; row++) {
    int32_t *rowData = ListRowDataGet(control, row);
    if (rowData) {
      step(control, row, rowData, columns, index);
    }
  }
}

static void ListRowColumnAdded(HWND control, int32_t row, int32_t *rowData, int32_t columns, int32_t added) {
  int32_t oldPairs = ListRowDataPairs(rowData);
  rowData = ListRowDataResize(control, row, rowData, columns);
  if (ListRowDataPairs(rowData) <= oldPairs || added >= ListRowDataPairs(rowData)) {
    return; // could not grow: the colours stay where they were
  }
  int32_t *pair = rowData + LIST_ROW_FIRST_PAIR + 2 * added;
  if (added < oldPairs) {
    memmove(pair + 2, pair, sizeof(int32_t) * 2 * (oldPairs - added));
  }
  pair[0] = 0;
  pair[1] = 0;
}

static void ListRowColumnRemoved(HWND control, int32_t row, int32_t *rowData, int32_t columns, int32_t index) {
  int32_t pairs = ListRowDataPairs(rowData);
  if (index < pairs) {
    int32_t *pair = rowData + LIST_ROW_FIRST_PAIR + 2 * index;
    memmove(pair, pair + 2, sizeof(int32_t) * 2 * (pairs - index - 1));
  }
  if (pairs > columns) {
    ListRowDataResize(control, row, rowData, columns);
  }
}

int32_t ListViewAddColumnOp(GadgetRecord *gadget, int32_t position, const char *title, int32_t width) {
  HWND control = gadget->window;
  char empty[1] = "";
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = title ? const_cast<char *>(title) : empty;
  column.iSubItem = position;
  int32_t added =
      static_cast<int32_t>(SendMessageA(control, LVM_INSERTCOLUMNA, position, reinterpret_cast<LPARAM>(&column)));
  if (added == -1) {
    return -1;
  }
  ListRowDataEach(control, added, ListRowColumnAdded);
  return ListViewRowCount(control);
}

void ListViewRemoveColumn(GadgetRecord *gadget, int32_t index) {
  HWND control = gadget->window;
  if (!SendMessageA(control, LVM_DELETECOLUMN, index, 0)) {
    return;
  }
  ListRowDataEach(control, index, ListRowColumnRemoved);
}

int32_t ListViewGetAttribute(GadgetRecord *gadget, int32_t attribute) {
  if (attribute != LISTVIEW_ATTRIBUTE_VIEW) {
    return 0;
  }
  // LVS_ICON 0, LVS_SMALLICON 2, LVS_LIST 3, LVS_REPORT 1 become 0, 1, 2, 3.
  switch (GetWindowLongPtrA(gadget->window, GWL_STYLE) & LVS_TYPEMASK) {
  case LVS_SMALLICON:
    return 1;
  case LVS_LIST:
    return 2;
  case LVS_REPORT:
    return 3;
  default:
    return 0;
  }
}

void ListViewSetAttribute(GadgetRecord *gadget, int32_t attribute, int32_t value) {
  if (attribute != LISTVIEW_ATTRIBUTE_VIEW) {
    return;
  }
  static const LONG_PTR views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  LONG_PTR view = (value >= 0 && value <= 3) ? views[value] : LVS_ICON;
  HWND control = gadget->window;
  ListViewRedrawResume(control); // the redraw below is to happen now
  LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
  SetWindowLongPtrA(control, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | view);
  RedrawWindow(control, nullptr, nullptr, RDW_UPDATENOW);
}

int32_t ListViewGetItemAttribute(GadgetRecord *gadget, int32_t, int32_t attribute, int32_t column) {
  if (attribute != LISTVIEW_ITEM_ATTRIBUTE_WIDTH) {
    return 0;
  }
  return static_cast<int32_t>(SendMessageA(gadget->window, LVM_GETCOLUMNWIDTH, column, 0));
}

void ListViewSetItemAttribute(GadgetRecord *gadget, int32_t, int32_t attribute, int32_t value, int32_t column) {
  if (attribute == LISTVIEW_ITEM_ATTRIBUTE_WIDTH) {
    SendMessageA(gadget->window, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(value & 0xFFFF, 0));
  }
}
