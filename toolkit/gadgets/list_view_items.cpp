// Rows: adding (one text split at line feeds into the column texts),
// removing, clearing and counting.
#include <climits>
#include <cstring>
#include <cwchar>

#include "toolkit/core/program_heap.h"
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"

// A row given as 8-bit text or, decoded from a file, as wide text takes the
// same steps, each with its own messages.
template <typename Unit> struct ListUnits;
template <> struct ListUnits<char> {
  typedef LVITEMA Item;
  static const UINT INSERT = LVM_INSERTITEMA;
  static const UINT SET_TEXT = LVM_SETITEMTEXTA;
  static size_t Length(const char *text) { return strlen(text); }
  static char *LineFeed(char *text) { return strchr(text, '\n'); }
};
template <> struct ListUnits<wchar_t> {
  typedef LVITEMW Item;
  static const UINT INSERT = LVM_INSERTITEMW;
  static const UINT SET_TEXT = LVM_SETITEMTEXTW;
  static size_t Length(const wchar_t *text) { return wcslen(text); }
  static wchar_t *LineFeed(wchar_t *text) { return wcschr(text, L'\n'); }
};

// The longest text counts units, which a copy reads the cells in.
template <typename Unit> static void ListRaiseLongest(GadgetRecord *gadget, const Unit *text) {
  intptr_t length = static_cast<intptr_t>(ListUnits<Unit>::Length(text));
  if (length > gadget->typeData[LISTVIEW_LONGEST_TEXT]) {
    gadget->typeData[LISTVIEW_LONGEST_TEXT] = length;
  }
}

void ListViewRaiseLongest(GadgetRecord *gadget, const char *text) {
  ListRaiseLongest(gadget, text);
}

LVITEMA ListViewTextItem(int32_t row, int32_t column, char *text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = text;
  return item;
}

template <typename Unit> static Unit *ListNextPiece(Unit **rest) {
  Unit *piece = *rest;
  Unit *lineFeed = ListUnits<Unit>::LineFeed(piece);
  if (lineFeed) {
    *lineFeed = 0;
    *rest = lineFeed + 1;
  } else {
    *rest = nullptr;
  }
  return piece;
}

char *ListViewNextPiece(char **rest) {
  return ListNextPiece(rest);
}

// Column texts from column 1 on, one piece each; a final line feed adds
// nothing. False when the control refused a text it has a column for; the
// pieces beyond the last column are passed on as well, and refused. Only a
// text the control took counts toward the longest.
template <typename Unit> static bool ListViewSetColumnPieces(GadgetRecord *gadget, int32_t row, Unit *rest) {
  typename ListUnits<Unit>::Item item = {};
  for (item.iSubItem = 1; rest && *rest; item.iSubItem++) {
    item.pszText = ListNextPiece(&rest);
    if (SendMessageA(gadget->window, ListUnits<Unit>::SET_TEXT, row, reinterpret_cast<LPARAM>(&item))) {
      ListRaiseLongest(gadget, item.pszText);
    } else if (item.iSubItem < ListViewColumnCount(gadget->window)) {
      return false;
    }
  }
  return true;
}

// A private copy of the text, cut at its first line feed: returns the first
// piece and leaves the rest (or null) in *rest. With no copy the first piece
// is empty and there is no rest.
template <typename Unit> static Unit *ListViewCopyText(const Unit *text, Unit **copy, Unit **rest) {
  static Unit empty[1];
  *copy = nullptr;
  *rest = nullptr;
  size_t size = text ? (ListUnits<Unit>::Length(text) + 1) * sizeof(Unit) : 0;
  if (text) {
    *copy = static_cast<Unit *>(HeapAlloc(ProgramHeap, 0, size));
  }
  if (!*copy) {
    return empty;
  }
  memcpy(*copy, text, size);
  *rest = *copy;
  return ListNextPiece(rest);
}

// Inserts the row with its column texts; false, with nothing left behind,
// when the control refuses any part of it.
template <typename Unit>
static bool ListViewInsertRow(GadgetRecord *gadget, int32_t position, Unit *first, Unit *rest) {
  // The control appends a row inserted beyond its last one, so appending
  // needs no count: one message less for every row of a load.
  typename ListUnits<Unit>::Item item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = position == -1 ? INT_MAX : position;
  item.pszText = first;
  int32_t row =
      static_cast<int32_t>(SendMessageA(gadget->window, ListUnits<Unit>::INSERT, 0, reinterpret_cast<LPARAM>(&item)));
  if (row == -1) {
    return false;
  }
  // A row taken out again takes its texts' part in the longest with it.
  intptr_t longest = gadget->typeData[LISTVIEW_LONGEST_TEXT];
  ListRaiseLongest(gadget, item.pszText);
  if (ListViewSetColumnPieces(gadget, row, rest)) {
    return true;
  }
  SendMessageA(gadget->window, LVM_DELETEITEM, row, 0);
  gadget->typeData[LISTVIEW_LONGEST_TEXT] = longest;
  return false;
}

// 1 when the row went in whole. A text that cannot be copied inserts
// nothing: a row with its texts missing would pass for data.
template <typename Unit> static int32_t ListViewAddRow(GadgetRecord *gadget, int32_t position, const Unit *text) {
  ListViewRedrawHold(gadget->window);
  Unit *copy;
  Unit *rest;
  Unit *first = ListViewCopyText(text, &copy, &rest);
  if (text && !copy) {
    return 0;
  }
  bool added = ListViewInsertRow(gadget, position, first, rest);
  if (copy) {
    HeapFree(ProgramHeap, 0, copy);
  }
  return added ? 1 : 0;
}

int32_t ListViewAddItem(GadgetRecord *gadget, int32_t position, const char *text, int32_t) {
  return ListViewAddRow(gadget, position, text);
}

// The control's wide text is UTF-16, as the decoded rows are.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide text is UTF-16");

int32_t ListViewAddItemWide(GadgetRecord *gadget, int32_t position, const char16_t *text) {
  return ListViewAddRow(gadget, position, reinterpret_cast<const wchar_t *>(text));
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
