// Every shown cell of every row is searched for the text as a part of it,
// in the shown order from the row after the focused one (before it, up),
// wrapping once. Cells are read through the control's own wide procedure
// and case-folded in the program with a table the locale filled once: a
// call per cell would cost more than the reading.
#include "app/list_find.h"

#include <string>
#include <vector>
#include <windows.h>
#include <commdlg.h>

#include "app/load_progress.h"
#include "app/viewer_numbers.h"
#include "toolkit/gadgets/list_view_cells.h"
#include "toolkit/requesters/requester_calls.h"
#include "toolkit/windows/window_find.h"
#include "toolkit/windows/window_shortcuts.h"

namespace {
const int32_t FIND_ROWS_PER_STEP = 256;
const size_t FIND_UNITS = 0x10000;

struct ListFindState {
  std::wstring text;
  DWORD flags = FR_DOWN;
  std::vector<wchar_t> fold; // lower case of every unit, made at first use
};
ListFindState Search;

// Surrogates stay as they are: the locale maps no half of a pair.
void ListFindFoldMake() {
  std::vector<wchar_t> units(FIND_UNITS);
  for (size_t unit = 0; unit < FIND_UNITS; unit++) {
    units[unit] = static_cast<wchar_t>(unit);
  }
  Search.fold = units;
  const int low = 0xD800;
  const int high = 0xE000;
  const int end = static_cast<int>(FIND_UNITS);
  LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, &units[1], low - 1, &Search.fold[1], low - 1);
  LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, &units[high], end - high, &Search.fold[high], end - high);
}

void ListFindFold(wchar_t *text, int32_t length, bool matchCase) {
  for (int32_t i = 0; !matchCase && i < length; i++) {
    text[i] = Search.fold[static_cast<uint16_t>(text[i])];
  }
}

// Whether a cell of the row holds the folded text.
bool ListFindInRow(const ListViewCells *cells, int32_t row, const std::wstring &text, std::vector<wchar_t> *buffer) {
  bool matchCase = (Search.flags & FR_MATCHCASE) != 0;
  for (int32_t column = 0; column < cells->columns; column++) {
    int32_t size = static_cast<int32_t>(buffer->size());
    int32_t length = ListViewCellRead(cells, row, column, buffer->data(), size);
    while (length >= size - 1) { // maybe cut: read it again in more room
      buffer->resize(buffer->size() * 2);
      size = static_cast<int32_t>(buffer->size());
      length = ListViewCellRead(cells, row, column, buffer->data(), size);
    }
    ListFindFold(buffer->data(), length, matchCase);
    if (std::wstring::npos != std::wstring(buffer->data(), static_cast<size_t>(length)).find(text)) {
      return true;
    }
  }
  return false;
}

// The row found, -1 for none, -2 when Esc or a close stopped the search.
int32_t ListFindRow(const ListViewCells *cells, bool down) {
  std::wstring text = Search.text;
  ListFindFold(&text[0], static_cast<int32_t>(text.size()), (Search.flags & FR_MATCHCASE) != 0);
  int32_t step = down ? 1 : cells->rows - 1; // up: one back, modulo the rows
  int32_t focused = ListViewFocusedRow(cells);
  int32_t row = focused == -1 ? (down ? 0 : cells->rows - 1) : (focused + step) % cells->rows;
  std::vector<wchar_t> buffer(256);
  for (int32_t done = 0; done < cells->rows; done++) {
    if (done % FIND_ROWS_PER_STEP == 0 && LoadProgressCheck() != LOAD_GO_ON) {
      return -2;
    }
    if (ListFindInRow(cells, row, text, &buffer)) {
      return row;
    }
    row = (row + step) % cells->rows;
  }
  return -1;
}

void ListFindRun(bool down) {
  ListViewCells cells;
  if (!ListViewCellsOpen(GADGET_LIST, &cells)) {
    return;
  }
  if (Search.fold.empty()) {
    ListFindFoldMake();
  }
  int32_t row = -1;
  if (cells.rows > 0) {
    LoadProgressBeginWork("Suchen \x85");
    row = ListFindRow(&cells, down);
    LoadProgressEnd();
  }
  if (row >= 0) {
    ListViewRowShowAlone(&cells, row);
  } else if (row == -1) {
    ShowMessage("Suchen", "Nicht gefunden !", 0);
  }
}
} // namespace

void ListFindShortcutsAdd() {
  WindowShortcutAdd(WINDOW_MAIN, FCONTROL, 'F', SHORTCUT_FIND);
  WindowShortcutAdd(WINDOW_MAIN, 0, VK_F3, SHORTCUT_FIND_NEXT);
  WindowShortcutAdd(WINDOW_MAIN, FSHIFT, VK_F3, SHORTCUT_FIND_PREVIOUS);
}

void ListFindShortcut(int32_t command) {
  if (command == SHORTCUT_FIND || (Search.text.empty() && command == SHORTCUT_FIND_NEXT) ||
      (Search.text.empty() && command == SHORTCUT_FIND_PREVIOUS)) {
    WindowFindOpen(WINDOW_MAIN, Search.text.c_str(), Search.flags);
  } else if (command == SHORTCUT_FIND_NEXT || command == SHORTCUT_FIND_PREVIOUS) {
    ListFindRun(command == SHORTCUT_FIND_NEXT);
  }
}

void ListFindNext() {
  Search.text = EventFindText();
  Search.flags = EventFindFlags();
  if (!Search.text.empty()) {
    ListFindRun((Search.flags & FR_DOWN) != 0);
  }
}
