// Colours of the list and of single cells, and the rows' data values, kept in
// the row records (list_view_rows.cpp).
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"

COLORREF ListViewDefaultTextColor;
COLORREF ListViewDefaultBackColor;

void ListViewDefaultColorsTake(HWND control) {
  ListViewDefaultTextColor = static_cast<COLORREF>(SendMessageA(control, LVM_GETTEXTCOLOR, 0, 0));
  ListViewDefaultBackColor = static_cast<COLORREF>(SendMessageA(control, LVM_GETBKCOLOR, 0, 0));
}

static BOOL ListViewRepaint(HWND control) {
  return RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME);
}

int32_t ListViewSetColor(GadgetRecord *gadget, int32_t kind, int32_t colour) {
  HWND control = gadget->window;
  switch (kind) {
  case COLOR_KIND_TEXT:
    SendMessageA(control, LVM_SETTEXTCOLOR, 0, colour == -1 ? ListViewDefaultTextColor : static_cast<COLORREF>(colour));
    break;
  case COLOR_KIND_BACK: {
    COLORREF back = colour == -1 ? ListViewDefaultBackColor : static_cast<COLORREF>(colour);
    SendMessageA(control, LVM_SETBKCOLOR, 0, back);
    SendMessageA(control, LVM_SETTEXTBKCOLOR, 0, back);
    break;
  }
  case COLOR_KIND_LINE:
    gadget->typeData[LISTVIEW_LINE_COLOR] = colour;
    break;
  }
  return ListViewRepaint(control);
}

int32_t ListViewGetColor(GadgetRecord *gadget, int32_t kind) {
  switch (kind) {
  case COLOR_KIND_TEXT:
    return static_cast<int32_t>(SendMessageA(gadget->window, LVM_GETTEXTCOLOR, 0, 0));
  case COLOR_KIND_BACK:
    return static_cast<int32_t>(SendMessageA(gadget->window, LVM_GETBKCOLOR, 0, 0));
  case COLOR_KIND_LINE:
    return static_cast<int32_t>(gadget->typeData[LISTVIEW_LINE_COLOR]);
  default:
    return -1;
  }
}

// Stores colour + 1 (0 = not set) in the kind's half of the column's pair,
// or of every pair for column -1.
static void ListRowStoreColor(HWND control, int32_t row, int32_t kind, int32_t colour, int32_t column) {
  int32_t *rowData = ListRowDataEnsure(control, row);
  if (!rowData) {
    return;
  }
  int32_t pairs = ListRowDataPairs(rowData);
  int32_t value = static_cast<int32_t>(static_cast<uint32_t>(colour) + 1u);
  int32_t half = kind == COLOR_KIND_TEXT ? 0 : 1;
  int32_t first = column == -1 ? 0 : column;
  int32_t last = column == -1 ? pairs - 1 : column;
  if (first < 0 || last >= pairs) {
    return;
  }
  for (int32_t i = first; i <= last; i++) {
    rowData[LIST_ROW_FIRST_PAIR + 2 * i + half] = value;
  }
}

void ListViewSetItemColor(GadgetRecord *gadget, int32_t index, int32_t kind, int32_t colour, int32_t column) {
  HWND control = gadget->window;
  int32_t rows = ListViewRowCount(control);
  if (index != -1 && (index < 0 || index >= rows)) {
    return;
  }
  if (kind == COLOR_KIND_TEXT || kind == COLOR_KIND_BACK) {
    if (index == -1) {
      for (int32_t row = 0; row < rows; row++) {
        ListRowStoreColor(control, row, kind, colour, column);
      }
    } else {
      ListRowStoreColor(control, index, kind, colour, column);
    }
  }
  ListViewRepaint(control);
}

int32_t ListViewGetItemColor(GadgetRecord *gadget, int32_t index, int32_t kind, int32_t column) {
  if (column < 0) {
    column = 0;
  }
  int32_t *rowData = ListRowDataGet(gadget->window, index);
  if (!rowData || column >= ListRowDataPairs(rowData) || (kind != COLOR_KIND_TEXT && kind != COLOR_KIND_BACK)) {
    return -1;
  }
  int32_t stored = rowData[LIST_ROW_FIRST_PAIR + 2 * column + (kind == COLOR_KIND_TEXT ? 0 : 1)];
  return static_cast<int32_t>(static_cast<uint32_t>(stored) - 1u);
}

void ListViewSetItemData(GadgetRecord *gadget, int32_t index, int32_t value) {
  int32_t *rowData = ListRowDataEnsure(gadget->window, index);
  if (rowData) {
    rowData[LIST_ROW_DATA] = value;
  }
}

int32_t ListViewGetItemData(GadgetRecord *gadget, int32_t index) {
  int32_t *rowData = ListRowDataGet(gadget->window, index);
  return rowData ? rowData[LIST_ROW_DATA] : 0;
}
