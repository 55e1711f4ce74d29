// Ctrl+A and Ctrl+C in a list, handled by the list itself so that the same
// keys in a text field keep their own meaning.
//
// Selecting every row takes one message (row -1) with the list's redraw held
// until the next message is fetched. The control tells its parent of each
// row's change, twice, and the list would note and post each one; while the
// message runs the list's notice handling answers them at once instead, and
// the list posts one change for the lot.
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"

// The list whose rows are being rewritten, or null.
static HWND CommandsHeld;

void ListViewCommandsHold(ObjectId number, int32_t hold) {
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (gadget != nullptr && gadget->operations->type == GADGET_TYPE_LIST_VIEW) {
    CommandsHeld = hold ? gadget->window : nullptr;
  }
}

// The list whose every row is being selected, or null.
static HWND SelectingAll;

bool ListViewSelectingAll(HWND control) {
  return control == SelectingAll;
}

static void ListViewSelectAll(HWND control) {
  if (GetWindowLongPtrA(control, GWL_STYLE) & LVS_SINGLESEL) {
    return;
  }
  int32_t before = static_cast<int32_t>(SendMessageA(control, LVM_GETSELECTEDCOUNT, 0, 0));
  ListViewRedrawHold(control);
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  SelectingAll = control;
  SendMessageA(control, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  SelectingAll = nullptr;
  int32_t rows = ListViewRowCount(control);
  if (static_cast<int32_t>(SendMessageA(control, LVM_GETSELECTEDCOUNT, 0, 0)) != before) {
    // As a row-by-row selection would leave it: the last row selected.
    SetPropA(control, LIST_VIEW_LAST_SELECTED_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(rows - 1)));
    GadgetPostEvent(control, GADGET_EVENT_CHANGE);
  }
}

bool ListViewKeyCommand(HWND control, WPARAM key) {
  // Ctrl alone: Ctrl+Alt is AltGr, which types characters.
  if ((key != 'A' && key != 'C') || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 ||
      GetKeyState(VK_SHIFT) < 0) {
    return false;
  }
  ObjectId number = static_cast<ObjectId>(GetWindowLongPtrA(control, GWLP_ID));
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (!gadget) {
    return false;
  }
  if (control == CommandsHeld) {
    return true;
  }
  if (key == 'A') {
    ListViewSelectAll(control);
    return true;
  }
  ListCopyResult copied = ListViewCopySelected(gadget);
  if (copied != LIST_COPY_DONE) {
    GadgetPostEvent(control, copied == LIST_COPY_NO_MEMORY ? GADGET_EVENT_COPY_FAILED : GADGET_EVENT_CLIPBOARD_BUSY);
  }
  return true;
}
