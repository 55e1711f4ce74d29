// Rows: adding (one text split at line feeds into the column texts),
// removing, clearing and counting.
#include <climits>
#include <cstring>

#include "toolkit/core/program_heap.h"
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"

void ListViewRaiseLongest(GadgetRecord *gadget, const char *text) {
  intptr_t length = static_cast<intptr_t>(strlen(text));
  if (length > gadget->typeData[LISTVIEW_LONGEST_TEXT]) {
    gadget->typeData[LISTVIEW_LONGEST_TEXT] = length;
  }
}

LVITEMA ListViewTextItem(int32_t row, int32_t column, char *text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = text;
  return item;
}

char *ListViewNextPiece(char **rest) {
  char *piece = *rest;
  char *lineFeed = strchr(piece, '\n');
  if (lineFeed) {
    *lineFeed = '\0';
    *rest = lineFeed + 1;
  } else {
    *rest = nullptr;
  }
  return piece;
}

// Column texts from column 1 on, one piece each; a final line feed adds
// nothing. False when the control refused a text it has a column for; the
// pieces beyond the last column are passed on as well, and refused. Only a
// text the control took counts toward the longest.
static bool ListViewSetColumnPieces(GadgetRecord *gadget, int32_t row, char *rest) {
  LVITEMA item = {};
  for (item.iSubItem = 1; rest && *rest; item.iSubItem++) {
    item.pszText = ListViewNextPiece(&rest);
    if (SendMessageA(gadget->window, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item))) {
      ListViewRaiseLongest(gadget, item.pszText);
    } else if (item.iSubItem < ListViewColumnCount(gadget->window)) {
      return false;
    }
  }
  return true;
}

// A private copy of the text, cut at its first line feed: returns the first
// piece and leaves the rest (or null) in *rest. With no copy the first piece
// is empty and there is no rest.
static char *ListViewCopyText(const char *text, char **copy, char **rest) {
  static char empty[1];
  *copy = nullptr;
  *rest = nullptr;
  if (text) {
    size_t size = strlen(text) + 1;
    *copy = static_cast<char *>(HeapAlloc(ProgramHeap, 0, size));
  }
  if (!*copy) {
    return empty;
  }
  memcpy(*copy, text, strlen(text) + 1);
  *rest = *copy;
  return ListViewNextPiece(rest);
}

// Inserts the row with its column texts; false, with nothing left behind,
// when the control refuses any part of it.
static bool ListViewInsertRow(GadgetRecord *gadget, int32_t position, char *first, char *rest) {
  // The control appends a row inserted beyond its last one, so appending
  // needs no count: one message less for every row of a load.
  LVITEMA item = ListViewTextItem(position == -1 ? INT_MAX : position, 0, first);
  item.mask |= LVIF_PARAM;
  int32_t row = static_cast<int32_t>(SendMessageA(gadget->window, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (row == -1) {
    return false;
  }
  // A row taken out again takes its texts' part in the longest with it.
  intptr_t longest = gadget->typeData[LISTVIEW_LONGEST_TEXT];
  ListViewRaiseLongest(gadget, item.pszText);
  if (ListViewSetColumnPieces(gadget, row, rest)) {
    return true;
  }
  SendMessageA(gadget->window, LVM_DELETEITEM, row, 0);
  gadget->typeData[LISTVIEW_LONGEST_TEXT] = longest;
  return false;
}

// 1 when the row went in whole. A text that cannot be copied inserts
// nothing: a row with its texts missing would pass for data.
int32_t ListViewAddItem(GadgetRecord *gadget, int32_t position, const char *text, int32_t) {
  ListViewRedrawHold(gadget->window);
  char *copy;
  char *rest;
  char *first = ListViewCopyText(text, &copy, &rest);
  if (text && !copy) {
    return 0;
  }
  bool added = ListViewInsertRow(gadget, position, first, rest);
  if (copy) {
    HeapFree(ProgramHeap, 0, copy);
  }
  return added ? 1 : 0;
}

int32_t ListViewSetText(GadgetRecord *gadget, const char *text) {
  HWND control = gadget->window;
  int32_t row = ListViewFirstSelected(control);
  if (row == -1) {
    return -1;
  }
  char *copy;
  char *rest;
  LVITEMA item = ListViewTextItem(row, 0, ListViewCopyText(text, &copy, &rest));
  if (SendMessageA(control, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
    ListViewRaiseLongest(gadget, item.pszText);
  }
  ListViewSetColumnPieces(gadget, row, rest);
  if (copy) {
    HeapFree(ProgramHeap, 0, copy);
  }
  return 0;
}

void ListViewRemoveItem(GadgetRecord *gadget, int32_t index) {
  int32_t *rowData = ListRowDataGet(gadget->window, index);
  if (rowData) {
    ListRowDataSet(gadget->window, index, nullptr);
    ListRowDataFree(rowData);
  }
  SendMessageA(gadget->window, LVM_DELETEITEM, index, 0);
}

void ListViewClearItems(GadgetRecord *gadget) {
  ListRowDataFreeAll(gadget->window);
  SendMessageA(gadget->window, LVM_DELETEALLITEMS, 0, 0);
  gadget->typeData[LISTVIEW_LONGEST_TEXT] = 0;
}

int32_t ListViewCountItems(GadgetRecord *gadget) {
  return ListViewRowCount(gadget->window);
}

// The row records went at WM_DESTROY (ListViewWindowProc): by now the
// control holds no rows to find them by.
void ListViewOnDestroy(GadgetRecord *gadget) {
  RemovePropA(gadget->window, LIST_VIEW_LAST_SELECTED_PROPERTY);
}
