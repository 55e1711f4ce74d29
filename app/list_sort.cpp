// The list's own sort is quadratic under Wine (its merge moves memory once
// per inversion: half a minute for a million rows), and its index-passing
// variant worse. So the new order is found in the program, from the cells
// read once through the control's own procedure, and each position's texts
// and row data are written back where they change: linear, about the time of
// a load, and the same on Windows. Selection and focus follow their rows.
// Esc stops the sort and writes back what was already written; Ctrl+A and
// Ctrl+C do nothing while it runs, since a copy would take rows half moved.
#include "app/list_sort.h"

#include <algorithm>
#include <windows.h>

#include "app/cell_order.h"
#include "app/load_progress.h"
#include "app/viewer_numbers.h"
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_cells.h"

namespace {
struct ListSortState {
  int32_t column = -1;
  int32_t direction = 0;
  // The file's position of the row shown at each position; empty while the
  // rows are in the file's order.
  std::vector<int32_t> fileRows;
};
ListSortState Sort;
// Rows written back between two looks at the clock.
const int32_t SORT_ROWS_PER_STEP = 64;
int32_t SortStopped;

bool ListSortStep() {
  int32_t asked = LoadProgressCheck();
  if (asked != LOAD_GO_ON) {
    SortStopped = asked;
  }
  return asked == LOAD_GO_ON;
}

// Every cell of every column; false when stopped.
bool ListSortRead(const ListViewCells *cells, std::vector<CellColumn> *columns) {
  std::vector<wchar_t> buffer(256);
  columns->resize(static_cast<size_t>(cells->columns));
  for (int32_t row = 0; row < cells->rows; row++) {
    if (row % SORT_ROWS_PER_STEP == 0 && !ListSortStep()) {
      return false;
    }
    for (int32_t column = 0; column < cells->columns; column++) {
      int32_t size = static_cast<int32_t>(buffer.size());
      int32_t length = ListViewCellRead(cells, row, column, buffer.data(), size);
      while (length >= size - 1) { // maybe cut: read it again in more room
        buffer.resize(buffer.size() * 2);
        size = static_cast<int32_t>(buffer.size());
        length = ListViewCellRead(cells, row, column, buffer.data(), size);
      }
      CellColumnAppend(&(*columns)[static_cast<size_t>(column)], buffer.data(), length);
    }
  }
  return true;
}

bool ListSortSame(const CellColumn &column, int32_t a, int32_t b) {
  const wchar_t *units = column.units.data();
  size_t index[2] = {static_cast<size_t>(a), static_cast<size_t>(b)};
  return std::equal(units + column.starts[index[0]], units + column.starts[index[0] + 1],
                    units + column.starts[index[1]], units + column.starts[index[1] + 1]);
}

// Position row, which holds the texts and data read at position held, gets
// those read at from, where they differ.
void ListSortPut(const ListViewCells *cells, const std::vector<CellColumn> &columns, const std::vector<LPARAM> &params,
                 int32_t row, int32_t from, int32_t held) {
  static std::wstring text;
  for (size_t column = 0; column < columns.size(); column++) {
    const CellColumn &cellsOf = columns[column];
    if (!ListSortSame(cellsOf, from, held)) {
      text.assign(cellsOf.units.data() + cellsOf.starts[static_cast<size_t>(from)],
                  cellsOf.units.data() + cellsOf.starts[static_cast<size_t>(from) + 1]);
      ListViewCellWrite(cells, row, static_cast<int32_t>(column), text.c_str());
    }
  }
  if (params[static_cast<size_t>(from)] != params[static_cast<size_t>(held)]) {
    ListViewRowParamSet(cells, row, params[static_cast<size_t>(from)]);
  }
}

// False when stopped; the rows written by then are put back, unless the
// program is to end anyway.
bool ListSortWrite(const ListViewCells *cells, const std::vector<CellColumn> &columns,
                   const std::vector<int32_t> &order) {
  std::vector<LPARAM> params(static_cast<size_t>(cells->rows));
  for (int32_t row = 0; row < cells->rows; row++) {
    if (row % (SORT_ROWS_PER_STEP * 16) == 0 && !ListSortStep()) {
      return false;
    }
    params[static_cast<size_t>(row)] = ListViewRowParam(cells, row);
  }
  for (int32_t row = 0; row < cells->rows; row++) {
    if (row % SORT_ROWS_PER_STEP == 0 && !ListSortStep()) {
      for (int32_t back = 0; back < row && SortStopped != LOAD_QUIT_ASKED; back++) {
        ListSortPut(cells, columns, params, back, back, order[static_cast<size_t>(back)]);
      }
      return false;
    }
    ListSortPut(cells, columns, params, row, order[static_cast<size_t>(row)], row);
  }
  return true;
}

// The selected and focused rows at their new positions, selected in
// ascending order, which keeps the control's selection ranges cheap.
void ListSortFollow(const ListViewCells *cells, const std::vector<int32_t> &order) {
  std::vector<int32_t> moved(order.size());
  for (size_t row = 0; row < order.size(); row++) {
    moved[static_cast<size_t>(order[row])] = static_cast<int32_t>(row);
  }
  std::vector<char> selected(order.size(), 0);
  // Each look for a selected row goes through the rows up to it: none
  // selected, none looked for.
  int32_t count = ListViewSelectedCount(cells);
  for (int32_t row = -1; count > 0 && (row = ListViewNextSelected(cells, row)) != -1;) {
    selected[static_cast<size_t>(moved[static_cast<size_t>(row)])] = 1;
  }
  // The window answers once more before the list is asked for its focus,
  // which goes through the rows as well. The sort is done: a stop asked now
  // comes too late.
  LoadProgressCheck();
  int32_t focused = ListViewFocusedRow(cells);
  if (count > 0 && count < cells->rows) {
    ListViewRowStateSet(cells, -1, LVIS_SELECTED, 0);
    for (int32_t row = 0; row < cells->rows; row++) {
      if (selected[static_cast<size_t>(row)]) {
        ListViewRowStateSet(cells, row, LVIS_SELECTED, LVIS_SELECTED);
      }
    }
  }
  if (focused != -1) {
    ListViewRowStateSet(cells, moved[static_cast<size_t>(focused)], LVIS_FOCUSED, LVIS_FOCUSED);
  }
}

// The order that shows the rows as the file has them.
std::vector<int32_t> ListSortFileOrder(int32_t rows) {
  std::vector<int32_t> order(static_cast<size_t>(rows));
  for (int32_t row = 0; row < rows; row++) {
    order[static_cast<size_t>(Sort.fileRows[static_cast<size_t>(row)])] = row;
  }
  return order;
}

bool ListSortRun(const ListViewCells *cells, int32_t column, int32_t direction) {
  std::vector<CellColumn> columns;
  if (!ListSortRead(cells, &columns)) {
    return false;
  }
  std::vector<int32_t> order =
      direction == 0 ? ListSortFileOrder(cells->rows)
                     : CellOrderSort(columns[static_cast<size_t>(column)], direction, CellSortKeyLocale, ListSortStep);
  if (order.size() != static_cast<size_t>(cells->rows) || !ListSortWrite(cells, columns, order)) {
    return false;
  }
  ListSortFollow(cells, order);
  std::vector<int32_t> fileRows(order.size());
  for (size_t row = 0; row < order.size(); row++) {
    fileRows[row] = Sort.fileRows[static_cast<size_t>(order[row])];
  }
  Sort.fileRows.swap(fileRows);
  return true;
}
} // namespace

void ListSortClick(int32_t column) {
  ListViewCells cells;
  if (!ListViewCellsOpen(GADGET_LIST, &cells) || column < 0 || column >= cells.columns) {
    return;
  }
  int32_t direction = CELL_ORDER_ASCENDING;
  if (column == Sort.column) {
    direction = Sort.direction == CELL_ORDER_ASCENDING ? CELL_ORDER_DESCENDING : 0;
  }
  if (Sort.fileRows.size() != static_cast<size_t>(cells.rows)) {
    Sort.fileRows.resize(static_cast<size_t>(cells.rows));
    for (int32_t row = 0; row < cells.rows; row++) {
      Sort.fileRows[static_cast<size_t>(row)] = row;
    }
  }
  SortStopped = LOAD_GO_ON;
  LoadProgressBeginWork("Sortieren \x85");
  ListViewCommandsHold(GADGET_LIST, 1);
  bool sorted = ListSortRun(&cells, column, direction);
  ListViewCommandsHold(GADGET_LIST, 0);
  LoadProgressEnd();
  if (sorted) {
    Sort.column = direction == 0 ? -1 : column;
    Sort.direction = direction;
    ListViewSortArrowSet(GADGET_LIST, column, direction);
  }
}

void ListSortForget() {
  Sort = ListSortState();
  ListViewSortArrowSet(GADGET_LIST, -1, 0);
}
