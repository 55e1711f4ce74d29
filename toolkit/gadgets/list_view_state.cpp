// Selection and check-box state of the list and of single rows.
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"

enum : int32_t { LISTVIEW_ITEM_SELECTED = 1, LISTVIEW_ITEM_CHECKED = 2 };

int32_t ListViewFirstSelected(HWND control) {
  return static_cast<int32_t>(SendMessageA(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int32_t ListViewGetState(GadgetRecord *gadget) {
  return ListViewFirstSelected(gadget->window);
}

void ListViewSetState(GadgetRecord *gadget, int32_t value) {
  HWND control = gadget->window;
  // Scrolling a row into view needs the scroll range a held burst has not
  // yet brought up to date.
  ListViewRedrawResume(control);
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  for (int32_t row; (row = ListViewFirstSelected(control)) != -1;) {
    if (!SendMessageA(control, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item))) {
      break; // a row the control will not deselect would loop for ever
    }
  }
  if (value == -1) {
    return;
  }
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(control, LVM_SETITEMSTATE, value, reinterpret_cast<LPARAM>(&item));
  SendMessageA(control, LVM_ENSUREVISIBLE, value, TRUE);
}

int32_t ListViewGetItemState(GadgetRecord *gadget, int32_t index) {
  HWND control = gadget->window;
  UINT state = static_cast<UINT>(SendMessageA(control, LVM_GETITEMSTATE, index, LVIS_SELECTED | LVIS_STATEIMAGEMASK));
  int32_t bits = (state & LVIS_SELECTED) ? LISTVIEW_ITEM_SELECTED : 0;
  DWORD extended = static_cast<DWORD>(SendMessageA(control, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  if ((extended & LVS_EX_CHECKBOXES) && (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)) {
    bits |= LISTVIEW_ITEM_CHECKED;
  }
  return bits;
}

void ListViewSetItemState(GadgetRecord *gadget, int32_t index, int32_t bits) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK((bits & LISTVIEW_ITEM_CHECKED) ? 2 : 1);
  if (bits & LISTVIEW_ITEM_SELECTED) {
    item.state |= LVIS_SELECTED | LVIS_FOCUSED;
  }
  SendMessageA(gadget->window, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}
