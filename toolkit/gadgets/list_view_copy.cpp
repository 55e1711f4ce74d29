// Ctrl+C in a list: the selected rows copied out as text.
//
// The copy is a TAB between columns and CR LF after each row, as UTF-16
// (CF_UNICODETEXT), from which the system makes the same text in the ANSI
// code page (CF_TEXT), in which the list was given its 8-bit texts; rows
// decoded from a file were given as UTF-16 and copy as they are. The control
// keeps the texts, not the gadget, so each cell is read from the control in
// the control's own UTF-16 straight into the clipboard's block, calling the
// control's procedure directly: the message path around it, and a conversion
// per cell, would cost more than the reading itself. The texts' length is
// only known once they are read, so that block grows by doubling and is cut
// to size at the end. A block that cannot grow ends the copy with the
// clipboard as it was, and the list reports GADGET_EVENT_COPY_FAILED: the
// text is never cut short. A clipboard another program keeps open is waited
// for a moment, then left as it was, and the list reports
// GADGET_EVENT_CLIPBOARD_BUSY: a paste would give the old text as if it were
// the copy. Fields are copied as they are, a TAB or line break inside one
// included.
#include <climits>

#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_cells.h"
#include "toolkit/gadgets/list_view_internal.h"

static const SIZE_T LISTVIEW_COPY_FIRST_UNITS = 64 * 1024;
// Another program may hold the clipboard for a moment (a clipboard viewer
// reading the last copy).
static const int LISTVIEW_CLIPBOARD_TRIES = 50;
static const DWORD LISTVIEW_CLIPBOARD_PAUSE_MS = 10;

// The CF_UNICODETEXT block being filled, locked while it is.
struct ListCopyText {
  HGLOBAL block;
  WCHAR *units;
  SIZE_T size; // units written, without the closing NUL
  SIZE_T capacity;
  SIZE_T rowsDone;
  SIZE_T rowsTotal; // the selected rows
};

// Room for more units after those written; false when memory runs out. The
// block grows to the size projected from the rows read so far, so that rows
// of one kind need a single growth, and at least to twice its size.
static bool ListCopyReserve(ListCopyText *text, SIZE_T more) {
  if (text->capacity - text->size >= more) {
    return true;
  }
  const SIZE_T limit = SIZE_MAX / sizeof(WCHAR) / 4;
  SIZE_T perRow = text->rowsDone ? text->size / text->rowsDone + 1 : 0;
  SIZE_T rowsLeft = text->rowsTotal > text->rowsDone ? text->rowsTotal - text->rowsDone : 0;
  SIZE_T capacity = text->capacity * 2;
  if (perRow && perRow <= limit / (rowsLeft + 1) && text->size + perRow * (rowsLeft + 1) > capacity) {
    capacity = text->size + perRow * (rowsLeft + 1);
  }
  if (capacity > limit || more > limit) {
    return false;
  }
  capacity += more;
  GlobalUnlock(text->block);
  HGLOBAL grown = GlobalReAlloc(text->block, capacity * sizeof(WCHAR), GMEM_MOVEABLE);
  if (grown) {
    text->block = grown;
    text->capacity = capacity;
  }
  text->units = static_cast<WCHAR *>(GlobalLock(text->block));
  return grown != nullptr;
}

// Appends one cell's text with room for the TAB or CR LF and the NUL behind
// it. The cell buffer grows while the control fills it whole, so a text
// longer than the list's longest known one is not cut either.
static bool ListCopyCell(const ListViewCells *cells, int32_t row, int32_t column, SIZE_T *cellSize,
                         ListCopyText *text) {
  for (;;) {
    if (*cellSize > INT_MAX || !ListCopyReserve(text, *cellSize + 2)) {
      return false;
    }
    SIZE_T length = static_cast<SIZE_T>(
        ListViewCellRead(cells, row, column, text->units + text->size, static_cast<int32_t>(*cellSize)));
    if (length + 1 < *cellSize) {
      text->size += length;
      return true;
    }
    *cellSize *= 2;
  }
}

// The next selected row after row, or -1. With every row of the list
// selected (rowCount), the control need not be asked: a fifth of the calls
// of a four-column copy.
static int32_t ListCopyNextRow(const ListViewCells *cells, int32_t row, int32_t rowCount) {
  if (rowCount > 0) {
    return row + 1 < rowCount ? row + 1 : -1;
  }
  return ListViewNextSelected(cells, row);
}

static bool ListCopyRows(HWND control, int32_t columns, SIZE_T cellSize, ListCopyText *text) {
  ListViewCells cells;
  ListViewCellsOf(control, &cells);
  int32_t every = text->rowsTotal == static_cast<SIZE_T>(cells.rows) ? cells.rows : 0;
  for (int32_t row = -1; (row = ListCopyNextRow(&cells, row, every)) != -1;) {
    for (int32_t column = 0; column < columns; column++) {
      if (!ListCopyCell(&cells, row, column, &cellSize, text)) {
        return false;
      }
      text->units[text->size++] = column + 1 < columns ? L'\t' : L'\r';
    }
    text->units[text->size++] = L'\n';
    text->rowsDone++;
  }
  text->units[text->size] = L'\0';
  return true;
}

// The selected rows as CF_UNICODETEXT, cut to size; null when memory runs out.
static HGLOBAL ListCopyWide(GadgetRecord *gadget, int32_t columns) {
  ListCopyText text = {};
  text.capacity = LISTVIEW_COPY_FIRST_UNITS;
  text.block = GlobalAlloc(GMEM_MOVEABLE, text.capacity * sizeof(WCHAR));
  if (!text.block) {
    return nullptr;
  }
  text.units = static_cast<WCHAR *>(GlobalLock(text.block));
  text.rowsTotal = static_cast<SIZE_T>(SendMessageA(gadget->window, LVM_GETSELECTEDCOUNT, 0, 0));
  // A text has at most as many units as bytes, and the longest a decoded row
  // gave counts units: the longest text the list was given sizes the first
  // cell buffer.
  SIZE_T cellSize = static_cast<SIZE_T>(gadget->typeData[LISTVIEW_LONGEST_TEXT]) + 1;
  bool whole = ListCopyRows(gadget->window, columns, cellSize, &text);
  GlobalUnlock(text.block);
  if (!whole) {
    GlobalFree(text.block);
    return nullptr;
  }
  HGLOBAL fitted = GlobalReAlloc(text.block, (text.size + 1) * sizeof(WCHAR), GMEM_MOVEABLE);
  return fitted ? fitted : text.block;
}

// The code page CF_TEXT is made in: the system's, in which the list was given
// its texts. Null when memory runs out.
static HGLOBAL ListCopyLocale() {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(LCID));
  if (block) {
    *static_cast<LCID *>(GlobalLock(block)) = GetSystemDefaultLCID();
    GlobalUnlock(block);
  }
  return block;
}

// Hands the text and its locale to the clipboard, which owns what it takes;
// when it refused them for want of memory it is left empty rather than half
// set. CF_TEXT is made by the system from the text when a program asks for
// it, in the locale's code page: one block to hand over, not two.
static ListCopyResult ListCopyPublish(HWND owner, HGLOBAL wide, HGLOBAL locale) {
  bool open = OpenClipboard(owner);
  for (int tries = 1; !open && tries < LISTVIEW_CLIPBOARD_TRIES; tries++) {
    Sleep(LISTVIEW_CLIPBOARD_PAUSE_MS);
    open = OpenClipboard(owner);
  }
  if (!open) {
    GlobalFree(wide);
    GlobalFree(locale);
    return LIST_COPY_CLIPBOARD_BUSY;
  }
  EmptyClipboard();
  bool placed = SetClipboardData(CF_UNICODETEXT, wide) != nullptr;
  if (!placed) {
    GlobalFree(wide);
  }
  if (!placed || !SetClipboardData(CF_LOCALE, locale)) {
    GlobalFree(locale);
    EmptyClipboard();
    placed = false;
  }
  CloseClipboard();
  return placed ? LIST_COPY_DONE : LIST_COPY_NO_MEMORY;
}

ListCopyResult ListViewCopySelected(GadgetRecord *gadget) {
  HWND control = gadget->window;
  int32_t columns = ListViewColumnCount(control);
  if (columns == 0 || ListViewFirstSelected(control) == -1) {
    return LIST_COPY_DONE;
  }
  HGLOBAL wide = ListCopyWide(gadget, columns);
  HGLOBAL locale = wide ? ListCopyLocale() : nullptr;
  if (!locale) {
    if (wide) {
      GlobalFree(wide);
    }
    return LIST_COPY_NO_MEMORY;
  }
  return ListCopyPublish(control, wide, locale);
}
