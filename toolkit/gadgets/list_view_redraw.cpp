// Holding a list's redraw over a burst of added rows.
//
// A visible report list repaints for every row inserted into it, which costs
// about 10 ms a row under Wine against some microseconds with its redraw off,
// and the viewer's loading loop dispatches no message between its rows. So
// the first row added in a burst switches the list's redraw off, and it comes
// on again, with one repaint, as soon as any message loop of the thread
// fetches a message: the event wait's, a message box's or a file dialog's.
//
// A thread WH_GETMESSAGE hook is told of every message any of those loops
// fetches, and it is installed only while some list is held. A private
// message posted to the list would be simpler but would reach EventWait as a
// raw event code the application could see. So that an idle queue still has
// a message to fetch, the list is invalidated when its redraw is held; the
// inserted rows would have invalidated it anyway. A paint sent directly
// (UpdateWindow) ends the hold in ListViewWindowProc, and the toolkit
// operations whose result depends on an up-to-date scroll range end it first.
//
// Work that adds rows for long and lets the window handle its messages now
// and then (a big file's load) would end the hold at every such pass, and a
// repaint of the list costs some tens of milliseconds under Wine. So one list
// may be kept held: fetched messages and paints leave it held, it is not
// invalidated for the hook, and it comes on again through the hook once the
// keep ends. While kept it still paints what it holds when it is uncovered.
#include "toolkit/core/program_heap.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/list_view_internal.h"

static HWND *HeldLists;
static int32_t HeldCount;
static int32_t HeldCapacity;
static HHOOK RedrawHook;
static HWND KeptList;

static int32_t ListViewHeldIndex(HWND control) {
  for (int32_t i = 0; i < HeldCount; i++) {
    if (HeldLists[i] == control) {
      return i;
    }
  }
  return -1;
}

bool ListViewRedrawHeld(HWND control) {
  return ListViewHeldIndex(control) != -1;
}

// Drops the list from the held set; the hook goes with the last one.
static bool ListViewHeldRemove(HWND control) {
  int32_t index = ListViewHeldIndex(control);
  if (index == -1) {
    return false;
  }
  HeldLists[index] = HeldLists[--HeldCount];
  if (HeldCount == 0 && RedrawHook) {
    UnhookWindowsHookEx(RedrawHook);
    RedrawHook = nullptr;
  }
  return true;
}

void ListViewRedrawResume(HWND control) {
  if (control == KeptList || !ListViewHeldRemove(control)) {
    return;
  }
  SendMessageA(control, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

static LRESULT CALLBACK ListViewRedrawHookProc(int code, WPARAM wParam, LPARAM lParam) {
  HHOOK hook = RedrawHook;
  // Downwards, since a resumed list's place takes the last one's.
  for (int32_t i = HeldCount - 1; code == HC_ACTION && i >= 0; i--) {
    ListViewRedrawResume(HeldLists[i]);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

void ListViewRedrawForget(HWND control) {
  if (control == KeptList) {
    KeptList = nullptr;
  }
  ListViewHeldRemove(control);
}

void ListViewRedrawHold(HWND control) {
  if (ListViewRedrawHeld(control)) {
    return;
  }
  if (HeldCount == HeldCapacity) {
    int32_t capacity = HeldCapacity + 4;
    SIZE_T size = sizeof(HWND) * static_cast<SIZE_T>(capacity);
    void *grown = HeldLists ? HeapReAlloc(ProgramHeap, 0, HeldLists, size) : HeapAlloc(ProgramHeap, 0, size);
    if (!grown) {
      return; // the list simply keeps redrawing
    }
    HeldLists = static_cast<HWND *>(grown);
    HeldCapacity = capacity;
  }
  if (!RedrawHook) {
    RedrawHook = SetWindowsHookExA(WH_GETMESSAGE, ListViewRedrawHookProc, nullptr, GetCurrentThreadId());
    if (!RedrawHook) {
      return;
    }
  }
  HeldLists[HeldCount++] = control;
  SendMessageA(control, WM_SETREDRAW, FALSE, 0);
  if (control != KeptList) {
    InvalidateRect(control, nullptr, FALSE);
  }
}

void ListViewRedrawKeepHeld(ObjectId number, int32_t keep) {
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (gadget == nullptr || gadget->operations->type != GADGET_TYPE_LIST_VIEW) {
    return;
  }
  HWND control = gadget->window;
  if (keep) {
    KeptList = control;
    ListViewRedrawHold(control);
  } else if (control == KeptList) {
    KeptList = nullptr;
    // Something for the hook to fetch, as for any held list.
    if (ListViewRedrawHeld(control)) {
      InvalidateRect(control, nullptr, FALSE);
    }
  }
}
