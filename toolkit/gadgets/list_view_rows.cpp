// The list's row and column counts and its row records: what its colours,
// columns and rows all build on, and which calls none of them.
#include "toolkit/core/program_heap.h"
#include "toolkit/gadgets/list_view_internal.h"

int32_t ListViewRowCount(HWND control) {
  return static_cast<int32_t>(SendMessageA(control, LVM_GETITEMCOUNT, 0, 0));
}

int32_t ListViewColumnCount(HWND control) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(control, LVM_GETHEADER, 0, 0));
  return static_cast<int32_t>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

// Row records alive in all lists: while there are none, emptying a list need
// not look at its rows one by one.
static int32_t ListRowDataLive;

int32_t *ListRowDataGet(HWND control, int32_t row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageA(control, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
    return nullptr;
  }
  return reinterpret_cast<int32_t *>(item.lParam);
}

void ListRowDataSet(HWND control, int32_t row, int32_t *rowData) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = reinterpret_cast<LPARAM>(rowData);
  SendMessageA(control, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int32_t *ListRowDataEnsure(HWND control, int32_t row) {
  if (row < 0 || row >= ListViewRowCount(control)) {
    return nullptr;
  }
  int32_t *rowData = ListRowDataGet(control, row);
  if (rowData) {
    return rowData;
  }
  SIZE_T words = LIST_ROW_FIRST_PAIR + 2 * static_cast<SIZE_T>(ListViewColumnCount(control));
  rowData = static_cast<int32_t *>(HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, sizeof(int32_t) * words));
  if (rowData) {
    ListRowDataLive++;
    ListRowDataSet(control, row, rowData);
  }
  return rowData;
}

// The block's own size tells how many pairs it holds, so a record that could
// not follow a column change is still read within its bounds.
int32_t ListRowDataPairs(const int32_t *rowData) {
  SIZE_T words = HeapSize(ProgramHeap, 0, rowData) / sizeof(int32_t);
  return static_cast<int32_t>((words - LIST_ROW_FIRST_PAIR) / 2);
}

// Only before all rows are deleted: the rows keep their stale values, which
// saves a change notification per row.
void ListRowDataFreeAll(HWND control) {
  int32_t rows = ListRowDataLive > 0 ? ListViewRowCount(control) : 0;
  for (int32_t row = 0; row < rows; row++) {
    ListRowDataFree(ListRowDataGet(control, row));
  }
}

void ListRowDataFree(int32_t *rowData) {
  if (!rowData) {
    return;
  }
  ListRowDataLive--;
  HeapFree(ProgramHeap, 0, rowData);
}
