#include "toolkit/gadgets/list_view.h"

#include "toolkit/gadgets/gadget_create.h"
#include "toolkit/gadgets/list_view_internal.h"
#include "toolkit/gadgets/theme_check.h"

GadgetOps ListViewOps;
WNDPROC ListViewClassProc;

static void ListViewFillOps() {
  ListViewOps = GadgetOps{};
  ListViewOps.type = GADGET_TYPE_LIST_VIEW;
  ListViewOps.OnParentMessage = ListViewNotify;
  ListViewOps.OnDestroy = ListViewOnDestroy;
  ListViewOps.GetState = ListViewGetState;
  ListViewOps.SetState = ListViewSetState;
  ListViewOps.GetText = ListViewGetText;
  ListViewOps.SetText = ListViewSetText;
  ListViewOps.AddItem = ListViewAddItem;
  ListViewOps.RemoveItem = ListViewRemoveItem;
  ListViewOps.ClearItems = ListViewClearItems;
  ListViewOps.CountItems = ListViewCountItems;
  ListViewOps.GetItemState = ListViewGetItemState;
  ListViewOps.SetItemState = ListViewSetItemState;
  ListViewOps.GetItemText = ListViewGetItemText;
  ListViewOps.SetItemText = ListViewSetItemText;
  ListViewOps.AddColumn = ListViewAddColumnOp;
  ListViewOps.RemoveColumn = ListViewRemoveColumn;
  ListViewOps.GetAttribute = ListViewGetAttribute;
  ListViewOps.SetAttribute = ListViewSetAttribute;
  ListViewOps.GetItemAttribute = ListViewGetItemAttribute;
  ListViewOps.SetItemAttribute = ListViewSetItemAttribute;
  ListViewOps.SetColor = ListViewSetColor;
  ListViewOps.GetColor = ListViewGetColor;
  ListViewOps.SetItemColor = ListViewSetItemColor;
  ListViewOps.GetItemColor = ListViewGetItemColor;
  ListViewOps.SetItemData = ListViewSetItemData;
  ListViewOps.GetItemData = ListViewGetItemData;
}

HWND ListViewCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *title,
                    int32_t titleWidth, uint32_t flags) {
  DWORD style = flags | WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SHAREIMAGELISTS | LVS_REPORT;
  if (flags & LISTVIEW_FLAG_MULTISELECT) {
    style &= ~static_cast<DWORD>(LVS_SINGLESEL);
  } else {
    style |= LVS_SINGLESEL;
  }

  DWORD extendedStyle = LVS_EX_DOUBLEBUFFER;
  if (flags & LISTVIEW_FLAG_FULLROWSELECT) {
    extendedStyle |= LVS_EX_FULLROWSELECT;
  }
  if (flags & LISTVIEW_FLAG_HEADER_DRAGDROP) {
    extendedStyle |= LVS_EX_HEADERDRAGDROP;
  }
  if (flags & LISTVIEW_FLAG_CHECKBOXES) {
    extendedStyle |= LVS_EX_CHECKBOXES;
  }

  const GadgetControlShape shape = {WS_EX_CLIENTEDGE, WC_LISTVIEWA, style, nullptr, 0};
  HWND control = GadgetControlCreate(&shape, x, y, width, height);
  if (!control) {
    return nullptr;
  }

  // The check returns at once once the version is known; a failed version
  // query is thereby repeated at the next creation.
  GadgetThemeCheck();
  if (ListViewOps.type == 0) {
    ListViewDefaultColorsTake(control);
    ListViewFillOps();
  }

  SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, extendedStyle, extendedStyle);
  ListViewClassProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListViewWindowProc)));

  GadgetRecord *gadget = GadgetSlotTake(number, control);
  if (!gadget) {
    return nullptr;
  }
  gadget->typeData[LISTVIEW_LINE_COLOR] = -1;
  if (flags & LISTVIEW_FLAG_GRIDLINES) {
    gadget->typeData[LISTVIEW_FLAGS] |= LISTVIEW_RECORD_GRIDLINES;
  }
  GadgetRegister(number, gadget, control, &ListViewOps);
  ListViewAddColumnOp(gadget, 0, title, titleWidth);
  return control;
}

LRESULT CALLBACK ListViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_KEYDOWN:
    if (ListViewKeyCommand(window, wParam)) {
      return 0;
    }
    break;
  case WM_SETFONT:
    RemovePropA(window, LIST_VIEW_RECT_TOP_PROPERTY); // the row height may change
    break;
  case WM_PAINT:
    // A paint requested directly (UpdateWindow, RDW_UPDATENOW) passes no
    // message loop, so a held burst ends here as well.
    ListViewRedrawResume(window);
    break;
  case WM_DESTROY:
    // The control deletes its rows while it handles WM_DESTROY; their records
    // must go first, since OnDestroy only runs after WM_NCDESTROY.
    ListRowDataFreeAll(window);
    break;
  case WM_NCDESTROY:
    RemovePropA(window, LIST_VIEW_RECT_TOP_PROPERTY);
    RemovePropA(window, LIST_VIEW_RECT_BOTTOM_PROPERTY);
    ListViewRedrawForget(window);
    break;
  }
  // At program end the control is not told of its end, so it does not free
  // its rows: some platforms free them one by one in time that grows with
  // the square of the rows (minutes for a million), and the process's end
  // gives the memory back anyway. The window still goes, in its order.
  if (GadgetsEnding && (message == WM_DESTROY || message == WM_NCDESTROY)) {
    return 0;
  }
  return CallWindowProcA(ListViewClassProc, window, message, wParam, lParam);
}
