// Shared by the list view's source files only: the routines of its operation
// table, its row records and its paint helpers.
#pragma once
#include <cstdint>
#include <windows.h>
#include <commctrl.h>
#include "toolkit/gadgets/gadget.h"

// The list's own window properties: its measured row, kept until its font
// changes, and the row it last reported selected (-1 after the report).
#define LIST_VIEW_RECT_TOP_PROPERTY "QX_RectTop"
#define LIST_VIEW_RECT_BOTTOM_PROPERTY "QX_RectBottom"
#define LIST_VIEW_LAST_SELECTED_PROPERTY "QX_LastSelected"

// Per-row record, only for rows that were given a colour or a data value:
// word 0 the row data, then per column a pair (text colour + 1, back colour + 1).
enum { LIST_ROW_DATA = 0, LIST_ROW_FIRST_PAIR = 1 };

extern GadgetOps ListViewOps;
extern WNDPROC ListViewClassProc;

// The counts and the row records (list_view_rows.cpp), which the colours,
// columns and rows files call and which call none of them.
int32_t ListViewRowCount(HWND control);
int32_t ListViewColumnCount(HWND control);
int32_t *ListRowDataGet(HWND control, int32_t row);
int32_t *ListRowDataEnsure(HWND control, int32_t row);
int32_t ListRowDataPairs(const int32_t *rowData);
void ListRowDataSet(HWND control, int32_t row, int32_t *rowData);
void ListRowDataFree(int32_t *rowData);
void ListRowDataFreeAll(HWND control);

// Control queries shared by several files.
int32_t ListViewFirstSelected(HWND control);
void ListViewRaiseLongest(GadgetRecord *gadget, const char *text);
// Cuts the piece at *rest up to the next line feed (replaced by NUL) and
// moves *rest behind it; *rest becomes null at the end of the text.
char *ListViewNextPiece(char **rest);
// The item record that names one cell's text, for reading, writing or
// inserting it.
LVITEMA ListViewTextItem(int32_t row, int32_t column, char *text);

// The colours of the first list made, for colour -1 (the platform's default).
void ListViewDefaultColorsTake(HWND control);

// Redraw held over a burst of added rows.
void ListViewRedrawHold(HWND control);
void ListViewRedrawResume(HWND control);
void ListViewRedrawForget(HWND control);
bool ListViewRedrawHeld(HWND control);

// Ctrl+C (copy the selected rows) and Ctrl+A (select every row); true when
// the key press was one of them and has been handled.
bool ListViewKeyCommand(HWND control, WPARAM key);
// Whether every row of the list is being selected (Ctrl+A), during which its
// notices of each row's change are answered at once.
bool ListViewSelectingAll(HWND control);
// The selected rows onto the clipboard; no selected row leaves the clipboard
// alone, and so does a copy that fails.
enum ListCopyResult { LIST_COPY_DONE, LIST_COPY_NO_MEMORY, LIST_COPY_CLIPBOARD_BUSY };
ListCopyResult ListViewCopySelected(GadgetRecord *gadget);

// Notifications, custom draw and grid.
LRESULT ListViewNotify(GadgetRecord *gadget, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
void ListViewCheckDeselect(HWND control);
// Remembers a header click for ListViewColumnClickTake.
void ListViewColumnClickKeep(HWND control, int32_t column);
RECT ListViewRowMetrics(HWND control);
void ListViewDrawGrid(HWND control, HDC dc, COLORREF colour);

// Routines of the operation table.
void ListViewOnDestroy(GadgetRecord *gadget);
int32_t ListViewGetState(GadgetRecord *gadget);
void ListViewSetState(GadgetRecord *gadget, int32_t value);
void ListViewGetText(GadgetRecord *gadget, int32_t pos);
int32_t ListViewSetText(GadgetRecord *gadget, const char *text);
int32_t ListViewAddItem(GadgetRecord *gadget, int32_t position, const char *text, int32_t image);
// The same for a row decoded from a file, in UTF-16 (GadgetItemAddWide).
int32_t ListViewAddItemWide(GadgetRecord *gadget, int32_t position, const char16_t *text);
void ListViewRemoveItem(GadgetRecord *gadget, int32_t index);
void ListViewClearItems(GadgetRecord *gadget);
int32_t ListViewCountItems(GadgetRecord *gadget);
int32_t ListViewGetItemState(GadgetRecord *gadget, int32_t index);
void ListViewSetItemState(GadgetRecord *gadget, int32_t index, int32_t bits);
void ListViewGetItemText(GadgetRecord *gadget, int32_t index, int32_t column, int32_t pos);
void ListViewSetItemText(GadgetRecord *gadget, int32_t index, const char *text, int32_t column);
int32_t ListViewAddColumnOp(GadgetRecord *gadget, int32_t position, const char *title, int32_t width);
void ListViewRemoveColumn(GadgetRecord *gadget, int32_t index);
int32_t ListViewGetAttribute(GadgetRecord *gadget, int32_t attribute);
void ListViewSetAttribute(GadgetRecord *gadget, int32_t attribute, int32_t value);
int32_t ListViewGetItemAttribute(GadgetRecord *gadget, int32_t index, int32_t attribute, int32_t column);
void ListViewSetItemAttribute(GadgetRecord *gadget, int32_t index, int32_t attribute, int32_t value, int32_t column);
int32_t ListViewSetColor(GadgetRecord *gadget, int32_t kind, int32_t colour);
int32_t ListViewGetColor(GadgetRecord *gadget, int32_t kind);
void ListViewSetItemColor(GadgetRecord *gadget, int32_t index, int32_t kind, int32_t colour, int32_t column);
int32_t ListViewGetItemColor(GadgetRecord *gadget, int32_t index, int32_t kind, int32_t column);
void ListViewSetItemData(GadgetRecord *gadget, int32_t index, int32_t value);
int32_t ListViewGetItemData(GadgetRecord *gadget, int32_t index);
