// Cells, row data, selection and focus through the control's own wide
// procedure, and the header's click and arrow.
#include "toolkit/gadgets/list_view_cells.h"

#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/list_view_internal.h"

#define LIST_VIEW_CLICKED_COLUMN_PROPERTY "QX_ClickedColumn"

static HWND ListViewControlOf(ObjectId number) {
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (gadget == nullptr || gadget->operations != &ListViewOps) {
    return nullptr;
  }
  return gadget->window;
}

void ListViewCellsOf(HWND control, ListViewCells *cells) {
  cells->control = control;
  // A Unicode class's procedure, asked for as such, is the control's own.
  cells->proc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC));
  cells->rows = ListViewRowCount(control);
  cells->columns = ListViewColumnCount(control);
}

bool ListViewCellsOpen(ObjectId number, ListViewCells *cells) {
  HWND control = ListViewControlOf(number);
  if (control == nullptr) {
    return false;
  }
  ListViewCellsOf(control, cells);
  return true;
}

int32_t ListViewCellRead(const ListViewCells *cells, int32_t row, int32_t column, wchar_t *buffer, int32_t size) {
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = size;
  buffer[0] = L'\0';
  return static_cast<int32_t>(cells->proc(cells->control, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
}

void ListViewCellWrite(const ListViewCells *cells, int32_t row, int32_t column, const wchar_t *text) {
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t *>(text);
  cells->proc(cells->control, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

LPARAM ListViewRowParam(const ListViewCells *cells, int32_t row) {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  cells->proc(cells->control, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

void ListViewRowParamSet(const ListViewCells *cells, int32_t row, LPARAM param) {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = param;
  cells->proc(cells->control, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int32_t ListViewNextSelected(const ListViewCells *cells, int32_t row) {
  return static_cast<int32_t>(cells->proc(cells->control, LVM_GETNEXTITEM, row, LVNI_SELECTED));
}

int32_t ListViewFocusedRow(const ListViewCells *cells) {
  return static_cast<int32_t>(cells->proc(cells->control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

int32_t ListViewSelectedCount(const ListViewCells *cells) {
  return static_cast<int32_t>(cells->proc(cells->control, LVM_GETSELECTEDCOUNT, 0, 0));
}

void ListViewRowStateSet(const ListViewCells *cells, int32_t row, UINT mask, UINT state) {
  LVITEMW item = {};
  item.stateMask = mask;
  item.state = state;
  cells->proc(cells->control, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListViewRowShowAlone(const ListViewCells *cells, int32_t row) {
  ListViewRowStateSet(cells, -1, LVIS_SELECTED, 0);
  ListViewRowStateSet(cells, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  cells->proc(cells->control, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// Stored as the column + 1, so that no property reads as none.
void ListViewColumnClickKeep(HWND control, int32_t column) {
  SetPropA(control, LIST_VIEW_CLICKED_COLUMN_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(column + 1)));
}

int32_t ListViewColumnClickTake(ObjectId number) {
  HWND control = ListViewControlOf(number);
  if (control == nullptr) {
    return -1;
  }
  HANDLE kept = RemovePropA(control, LIST_VIEW_CLICKED_COLUMN_PROPERTY);
  return static_cast<int32_t>(reinterpret_cast<INT_PTR>(kept)) - 1;
}

void ListViewSortArrowSet(ObjectId number, int32_t column, int32_t direction) {
  HWND control = ListViewControlOf(number);
  if (control == nullptr) {
    return;
  }
  HWND header = reinterpret_cast<HWND>(SendMessageA(control, LVM_GETHEADER, 0, 0));
  int32_t count = ListViewColumnCount(control);
  for (int32_t index = 0; index < count; index++) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (index == column && direction != 0) {
      item.fmt |= direction > 0 ? HDF_SORTUP : HDF_SORTDOWN;
    }
    SendMessageA(header, HDM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
  }
}
