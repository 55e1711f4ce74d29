// The list's notifications: click, change and drag events, and custom draw
// for cell colours and grid lines.
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"
#include "toolkit/windows/event.h"

void ListViewCheckDeselect(HWND control) {
  if (ListViewFirstSelected(control) != -1) {
    return;
  }
  if (static_cast<int32_t>(reinterpret_cast<INT_PTR>(GetPropA(control, LIST_VIEW_LAST_SELECTED_PROPERTY))) == -1) {
    return;
  }
  SetPropA(control, LIST_VIEW_LAST_SELECTED_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1)));
  GadgetPostEvent(control, GADGET_EVENT_CHANGE);
}

static void ListViewItemChanged(HWND control, const NMLISTVIEW *change) {
  if (change->uNewState & LVIS_SELECTED) {
    SetPropA(control, LIST_VIEW_LAST_SELECTED_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(change->iItem)));
    GadgetPostEvent(control, GADGET_EVENT_CHANGE);
    return;
  }
  UINT oldImage = (change->uOldState & LVIS_STATEIMAGEMASK) >> 12;
  UINT newImage = (change->uNewState & LVIS_STATEIMAGEMASK) >> 12;
  if (oldImage != 0 && oldImage != newImage) { // a check box changed
    GadgetPostEvent(control, GADGET_EVENT_CHANGE);
  }
}

static bool ListViewInReportView(HWND control) {
  return (GetWindowLongPtrA(control, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

static COLORREF ListCellColor(const int32_t *rowData, int32_t column, int32_t half, COLORREF fallback) {
  if (column < 0 || column >= ListRowDataPairs(rowData)) {
    return fallback;
  }
  int32_t stored = rowData[LIST_ROW_FIRST_PAIR + 2 * column + half];
  return stored ? static_cast<COLORREF>(stored - 1) : fallback;
}

static LRESULT ListViewCustomDraw(GadgetRecord *gadget, NMLVCUSTOMDRAW *draw) {
  HWND control = gadget->window;
  const int32_t *rowData = reinterpret_cast<const int32_t *>(draw->nmcd.lItemlParam);
  switch (draw->nmcd.dwDrawStage) {
  case CDDS_PREPAINT:
    // A disabled list gets neither colours nor grid.
    return IsWindowEnabled(control) ? CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
  case CDDS_ITEMPREPAINT:
    if (!rowData) {
      return 0;
    }
    if (ListViewInReportView(control)) {
      return CDRF_NOTIFYSUBITEMDRAW;
    }
    draw->clrText = ListCellColor(rowData, 0, 0, draw->clrText);
    draw->clrTextBk = ListCellColor(rowData, 0, 1, draw->clrTextBk);
    return 0;
  case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
    if (rowData) {
      // A column without colours of its own keeps the list's colours.
      draw->clrText = ListCellColor(rowData, draw->iSubItem, 0,
                                    static_cast<COLORREF>(SendMessageA(control, LVM_GETTEXTCOLOR, 0, 0)));
      draw->clrTextBk =
          ListCellColor(rowData, draw->iSubItem, 1, static_cast<COLORREF>(SendMessageA(control, LVM_GETBKCOLOR, 0, 0)));
    }
    return 0;
  case CDDS_POSTPAINT:
    if ((gadget->typeData[LISTVIEW_FLAGS] & LISTVIEW_RECORD_GRIDLINES) && ListViewInReportView(control)) {
      int32_t line = static_cast<int32_t>(gadget->typeData[LISTVIEW_LINE_COLOR]);
      ListViewDrawGrid(control, draw->nmcd.hdc, line == -1 ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(line));
    }
    return 0;
  default:
    return PROC_DEFAULT;
  }
}

LRESULT ListViewNotify(GadgetRecord *gadget, HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) {
    return PROC_DEFAULT;
  }
  HWND control = gadget->window;
  const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
  // Ctrl+A posts one change for all the rows itself.
  if ((header->code == LVN_ITEMCHANGING || header->code == LVN_ITEMCHANGED) && ListViewSelectingAll(control)) {
    return 0;
  }
  switch (header->code) {
  case NM_CLICK:
    ListViewCheckDeselect(control);
    GadgetPostEvent(control, GADGET_EVENT_LEFT_CLICK);
    return 0;
  case NM_RCLICK:
    ListViewCheckDeselect(control);
    GadgetPostEvent(control, GADGET_EVENT_RIGHT_CLICK);
    return 0;
  case NM_DBLCLK:
    GadgetPostEvent(control, GADGET_EVENT_LEFT_DOUBLE_CLICK);
    return 0;
  case NM_RDBLCLK:
    GadgetPostEvent(control, GADGET_EVENT_RIGHT_DOUBLE_CLICK);
    return 0;
  case LVN_ITEMCHANGED:
    ListViewItemChanged(control, reinterpret_cast<const NMLISTVIEW *>(lParam));
    return 0;
  case LVN_COLUMNCLICK:
    ListViewColumnClickKeep(control, reinterpret_cast<const NMLISTVIEW *>(lParam)->iSubItem);
    GadgetPostEvent(control, GADGET_EVENT_COLUMN_CLICK);
    return 0;
  case LVN_BEGINDRAG:
    GadgetPostEvent(control, GADGET_EVENT_DRAG_START);
    return 0;
  case LVN_DELETEALLITEMS:
    // Nothing listens to LVN_DELETEITEM; without this answer the control
    // sends one notification per row when it is emptied or destroyed.
    return TRUE;
  case NM_CUSTOMDRAW:
    return ListViewCustomDraw(gadget, reinterpret_cast<NMLVCUSTOMDRAW *>(lParam));
  default:
    return PROC_DEFAULT;
  }
}
