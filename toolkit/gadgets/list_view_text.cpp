// Reading and writing single texts of rows and column headers.
#include <cstring>

#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"
#include "toolkit/strings/string_engine.h"

enum : int32_t { LISTVIEW_HEADER_TEXT_SIZE = 4096 };

void ListViewGetItemText(GadgetRecord *gadget, int32_t index, int32_t column, int32_t pos) {
  // Reserve first: the buffer may move while it grows.
  int32_t size =
      index == -1 ? LISTVIEW_HEADER_TEXT_SIZE : static_cast<int32_t>(gadget->typeData[LISTVIEW_LONGEST_TEXT]) + 1;
  char *text = ScratchReserve(size, pos);
  text[0] = '\0';
  BOOL found;
  if (index == -1) {
    HDITEMA header = {};
    header.mask = HDI_TEXT;
    header.pszText = text;
    header.cchTextMax = size;
    HWND headerControl = reinterpret_cast<HWND>(SendMessageA(gadget->window, LVM_GETHEADER, 0, 0));
    found = static_cast<BOOL>(SendMessageA(headerControl, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&header)));
  } else {
    LVITEMA item = ListViewTextItem(index, column, text);
    item.cchTextMax = size;
    found = static_cast<BOOL>(SendMessageA(gadget->window, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  }
  if (!found) {
    text[0] = '\0';
  }
  text[size - 1] = '\0';
  ScratchRelease(size - static_cast<int32_t>(strlen(text)));
}

void ListViewSetItemText(GadgetRecord *gadget, int32_t index, const char *text, int32_t column) {
  char empty[1] = "";
  char *value = text ? const_cast<char *>(text) : empty;
  if (index == -1) {
    HDITEMA header = {};
    header.mask = HDI_TEXT;
    header.pszText = value;
    HWND headerControl = reinterpret_cast<HWND>(SendMessageA(gadget->window, LVM_GETHEADER, 0, 0));
    SendMessageA(headerControl, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&header));
    return;
  }
  ListViewRaiseLongest(gadget, value);
  LVITEMA item = ListViewTextItem(index, column, value);
  SendMessageA(gadget->window, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewGetText(GadgetRecord *gadget, int32_t pos) {
  int32_t row = ListViewFirstSelected(gadget->window);
  if (row == -1) {
    ScratchSetPos(pos);
  } else {
    ListViewGetItemText(gadget, row, 0, pos);
  }
}
