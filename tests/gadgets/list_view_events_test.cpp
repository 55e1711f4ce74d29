#include "tests/gadgets/list_view_test_support.h"

#include "tests/windows/window_input_support.h"
#include "toolkit/gadgets/list_view_cells.h"
#include "toolkit/gadgets/list_view_internal.h"
#include "tools/driver/remote_viewer.h"

namespace {

// A real left click as the control receives it from the mouse.
void ListClick(HWND control, int32_t x, int32_t y) {
  LPARAM at = MAKELPARAM(x, y);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

RECT RowRect(HWND control, int32_t row) {
  RECT rect = {};
  rect.left = LVIR_BOUNDS;
  SendMessageA(control, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

} // namespace

TEST_F(ListViewTest, ClicksSelectionChangesAndDeselectionBecomeEvents) {
  for (const char *text : {"a\nb", "c\nd"})
    GadgetItemAdd(0, -1, text);
  EventDrain();

  RECT row1 = RowRect(list, 1);
  ListClick(list, 50, (row1.top + row1.bottom) / 2);
  EXPECT_EQ(EventsOnly(EventDrain(), {EVENT_GADGET}),
            (std::vector<DrainedEvent>{GadgetEvent(0, GADGET_EVENT_CHANGE), GadgetEvent(0, GADGET_EVENT_LEFT_CLICK)}));
  EXPECT_EQ(Ops()->GetState(Record()), 1);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(list, "QX_LastSelected")), 1);

  // A click below the rows empties the selection: reported once as a change.
  ListClick(list, 50, 250);
  EXPECT_EQ(EventsOnly(EventDrain(), {EVENT_GADGET}),
            (std::vector<DrainedEvent>{GadgetEvent(0, GADGET_EVENT_CHANGE), GadgetEvent(0, GADGET_EVENT_LEFT_CLICK)}));
  EXPECT_EQ(Ops()->GetState(Record()), -1);
  ListClick(list, 50, 250);
  EXPECT_EQ(EventsOnly(EventDrain(), {EVENT_GADGET}),
            (std::vector<DrainedEvent>{GadgetEvent(0, GADGET_EVENT_LEFT_CLICK)}));

  LPARAM at = MAKELPARAM(50, 250);
  PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageA(list, WM_RBUTTONUP, 0, at);
  std::vector<DrainedEvent> right = EventDrain();
  EXPECT_NE(std::find(right.begin(), right.end(), GadgetEvent(0, GADGET_EVENT_RIGHT_CLICK)), right.end());
}

TEST_F(ListViewTest, NotificationsMapToEventTypes) {
  GadgetItemAdd(0, -1, "a");
  EventDrain();
  struct Case {
    UINT code;
    UINT oldState, newState;
    std::vector<DrainedEvent> events;
  } cases[] = {
      {NM_DBLCLK, 0, 0, {GadgetEvent(0, GADGET_EVENT_LEFT_DOUBLE_CLICK)}},
      {NM_RDBLCLK, 0, 0, {GadgetEvent(0, GADGET_EVENT_RIGHT_DOUBLE_CLICK)}},
      {LVN_BEGINDRAG, 0, 0, {GadgetEvent(0, GADGET_EVENT_DRAG_START)}},
      {LVN_COLUMNCLICK, 0, 0, {GadgetEvent(0, GADGET_EVENT_COLUMN_CLICK)}},
      {LVN_ITEMCHANGED, 0, LVIS_SELECTED, {GadgetEvent(0, GADGET_EVENT_CHANGE)}},
      {LVN_ITEMCHANGED, INDEXTOSTATEIMAGEMASK(1), INDEXTOSTATEIMAGEMASK(2), {GadgetEvent(0, GADGET_EVENT_CHANGE)}},
      {LVN_ITEMCHANGED, 0, INDEXTOSTATEIMAGEMASK(1), {}}, // a check box appearing is no change
      {LVN_ITEMCHANGED, LVIS_SELECTED, 0, {}},
      {LVN_ITEMCHANGED, INDEXTOSTATEIMAGEMASK(2), INDEXTOSTATEIMAGEMASK(2) | LVIS_FOCUSED, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    NMLISTVIEW notification = {};
    notification.hdr.hwndFrom = list;
    notification.hdr.idFrom = 0;
    notification.hdr.code = c.code;
    notification.uOldState = c.oldState;
    notification.uNewState = c.newState;
    EXPECT_EQ(SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notification)), 0);
    EXPECT_EQ(EventsOnly(EventDrain(), {EVENT_GADGET}), c.events);
  }
  // The clicked column waits to be taken, once.
  NMLISTVIEW click = {};
  click.hdr.hwndFrom = list;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iSubItem = 2;
  ListViewColumnClickTake(0);
  SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(ListViewColumnClickTake(0), 2);
  EXPECT_EQ(ListViewColumnClickTake(0), -1);
  NMHDR other = {list, 0, LVN_DELETEALLITEMS};
  EXPECT_EQ(SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&other)), TRUE);
  EXPECT_EQ(Ops()->OnParentMessage(Record(), window, WM_COMMAND, 0, 0), PROC_DEFAULT);
}

TEST_F(ListViewTest, BurstOfAddedRowsHoldsRedrawUntilMessagesFlow) {
  // Window events queued before would be handed out without a look at the queue.
  EventDrain();
  EXPECT_FALSE(ListViewRedrawHeld(list));
  GadgetItemsClear(0);
  for (int32_t row = 0; row < 300; row++)
    GadgetItemAdd(0, -1, "MMMMMMMM\nMMMM");
  EXPECT_TRUE(ListViewRedrawHeld(list));
  EXPECT_EQ(GadgetItemsCount(0), 300);

  // One look at the queue by any loop ends the hold.
  EventWait(0);
  EXPECT_FALSE(ListViewRedrawHeld(list));

  // The rows are on screen: dark text pixels inside row 0 and the last visible row.
  ListCapture capture = ListCaptureTake(list);
  for (int32_t row : {0, 10}) {
    RECT rect = RowRect(list, row);
    int32_t dark = 0;
    for (int32_t y = rect.top; y < rect.bottom; y++)
      for (int32_t x = 2; x < 95; x++)
        if (GetRValue(capture.At(x, y)) < 0x80 && GetGValue(capture.At(x, y)) < 0x80)
          dark++;
    EXPECT_GT(dark, 20) << "row " << row;
  }

  // A message box's loop ends a hold as well; so does a direct paint.
  GadgetItemAdd(0, -1, "x");
  EXPECT_TRUE(ListViewRedrawHeld(list));
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  EXPECT_FALSE(ListViewRedrawHeld(list));
  GadgetItemAdd(0, -1, "y");
  UpdateWindow(list);
  EXPECT_FALSE(ListViewRedrawHeld(list));

  // Operations that need the scroll range end it before they run.
  GadgetItemAdd(0, -1, "z");
  Ops()->SetState(Record(), 301);
  EXPECT_FALSE(ListViewRedrawHeld(list));
  RECT last = RowRect(list, 301);
  RECT client;
  GetClientRect(list, &client);
  EXPECT_LE(last.bottom, client.bottom);
  EXPECT_GE(last.top, 0);
}

// A list kept held stays held through message loops and paints, and
// the first look at the queue after the keep ends the hold.
TEST_F(ListViewTest, KeptListStaysHeldUntilTheKeepEnds) {
  EventDrain();
  ListViewRedrawKeepHeld(0, 1);
  GadgetItemAdd(0, -1, "x");
  // Uncovered meanwhile, with a message in the queue.
  InvalidateRect(list, nullptr, FALSE);
  PostMessageA(list, WM_NULL, 0, 0);
  EventDrain();
  EXPECT_TRUE(ListViewRedrawHeld(list));
  ListViewRedrawKeepHeld(0, 0);
  EXPECT_TRUE(ListViewRedrawHeld(list));
  EventWait(0);
  EXPECT_FALSE(ListViewRedrawHeld(list));
}

TEST_F(ListViewTest, HeldListDestroyedBeforeMessagesFlow) {
  GadgetItemAdd(0, -1, "x");
  EXPECT_TRUE(ListViewRedrawHeld(list));
  GadgetFree(0);
  EXPECT_FALSE(ListViewRedrawHeld(list));
  EventWait(0);
}

// Ctrl+A selects every row as one change, not one a row. Ctrl+C then copies
// the fields as they are: a TAB inside one, and a text given to the control
// behind the list's back, longer than any the list knows of.
TEST_F(ListViewTest, SelectAllIsOneChangeAndCopyTakesFieldsAsTheyAre) {
  for (const char *text : {"a\tb\nc", "d\n\ne", "f"})
    GadgetItemAdd(0, -1, text);
  std::string longText(300, 'x');
  LVITEMA item = {};
  item.iSubItem = 3;
  item.pszText = &longText[0];
  SendMessageA(list, LVM_SETITEMTEXTA, 2, reinterpret_cast<LPARAM>(&item));
  TestWindowActivate(window);
  SetFocus(list);
  EventDrain();

  std::vector<DrainedEvent> events;
  KeyPress(window, 'A', false, true, &events);
  EXPECT_EQ(EventsOnly(events, {EVENT_GADGET}), (std::vector<DrainedEvent>{GadgetEvent(0, GADGET_EVENT_CHANGE)}));
  EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 3);

  KeyPress(window, 'C', false, true);
  std::string bytes;
  std::wstring wide;
  ASSERT_TRUE(RemoteClipboardRead(&bytes, &wide));
  EXPECT_EQ(bytes, "a\tb\tc\t\t\r\nd\t\te\t\r\nf\t\t\t" + longText + "\r\n");
  EXPECT_EQ(wide, std::wstring(bytes.begin(), bytes.end()));
}
