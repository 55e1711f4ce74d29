#include "tests/gadgets/list_view_test_support.h"

#include <string>

#include "tests/support/small_program_heap.h"

using Row = std::vector<std::string>;

TEST_F(ListViewTest, RowTextsAreSplitAtLineFeedsIntoTheColumns) {
  struct Case {
    const char *text;
    Row columns;
  } cases[] = {
      {"a\nb\nc\nd", {"a", "b", "c", "d"}},
      {"a\n\nc", {"a", "", "c", ""}},
      {"a\n", {"a", "", "", ""}},
      {"\nb", {"", "b", "", ""}},
      {"", {"", "", "", ""}},
      {nullptr, {"", "", "", ""}},
      {"a\nb\nc\nd\ne", {"a", "b", "c", "d"}},
      {"a\n\n", {"a", "", "", ""}},
      // Nothing else separates columns.
      {"x\r\"y\";z,w\tv\n\"q\"\r\n", {"x\r\"y\";z,w\tv", "\"q\"\r", "", ""}},
      // Code page 1252 bytes pass through unchanged.
      {"Datei \xF6"
       "ffnen\n\xE4\xFC\xDF",
       {"Datei \xF6"
        "ffnen",
        "\xE4\xFC\xDF", "", ""}},
  };
  int32_t row = 0;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text ? c.text : "(null)");
    GadgetItemAdd(0, -1, c.text);
    ASSERT_EQ(GadgetItemsCount(0), row + 1);
    EXPECT_EQ(RowTexts(row), c.columns);
    row++;
  }
}

TEST_F(ListViewTest, AddingKeepsTheCallersTextAndCountsEveryRow) {
  char text[] = "a\nb";
  GadgetItemAdd(0, -1, text);
  EXPECT_STREQ(text, "a\nb");

  GadgetItemAdd(0, -1, "last");
  GadgetItemAdd(0, 0, "first");
  GadgetItemAdd(0, 99, "beyond the end");
  EXPECT_EQ(GadgetItemsCount(0), 4);
  EXPECT_EQ(ItemText(0, 0), "first");
  EXPECT_EQ(ItemText(3, 0), "beyond the end");

  GadgetItemsClear(0);
  EXPECT_EQ(GadgetItemsCount(0), 0);
  EXPECT_EQ(Record()->typeData[LISTVIEW_LONGEST_TEXT], 0);
  GadgetItemAdd(0, -1, "again");
  EXPECT_EQ(GadgetItemsCount(0), 1);
}

static WNDPROC ListProcBeforeRefusal;

static LRESULT CALLBACK ListRefusingColumnTexts(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LVM_SETITEMTEXTA && reinterpret_cast<LVITEMA *>(lParam)->iSubItem >= 2) {
    return FALSE;
  }
  return CallWindowProcA(ListProcBeforeRefusal, window, message, wParam, lParam);
}

// A row goes in whole or not at all, and the result says which: a row with
// texts missing would pass for data. Only text the list holds counts toward
// the longest text.
TEST_F(ListViewTest, RowThatCannotGoInWholeIsLeftOut) {
  EXPECT_EQ(GadgetItemAdd(0, -1, "a\nb"), 1);
  {
    SmallProgramHeap full(true);
    EXPECT_EQ(GadgetItemAdd(0, -1, "no\ncopy"), 0);
  }
  EXPECT_EQ(GadgetItemsCount(0), 1);

  ListProcBeforeRefusal = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListRefusingColumnTexts)));
  EXPECT_EQ(GadgetItemAdd(0, -1, "c\nheld until its row went\nrefused, the longest text here"), 0);
  EXPECT_EQ(GadgetItemAdd(0, -1, "first column only"), 1);
  SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProcBeforeRefusal));
  ASSERT_EQ(GadgetItemsCount(0), 2);
  EXPECT_EQ(RowTexts(0), (Row{"a", "b", "", ""}));
  EXPECT_EQ(RowTexts(1), (Row{"first column only", "", "", ""}));
  EXPECT_EQ(GadgetItemAdd(0, -1, "e\nf\ng\nh\nbeyond the last column, and refused"), 1);
  EXPECT_EQ(Record()->typeData[LISTVIEW_LONGEST_TEXT], 17);
}

TEST_F(ListViewTest, LongTextsAreReadBackWhole) {
  GadgetItemAdd(0, -1, "short\nshort");
  std::string longText(10000, 'x');
  std::string longer(20000, 'y');
  GadgetItemAdd(0, -1, ("z\n" + longText).c_str());
  Ops()->SetItemText(Record(), 0, longer.c_str(), 2);
  EXPECT_EQ(ItemText(1, 1), longText);
  EXPECT_EQ(ItemText(0, 2), longer);
  EXPECT_EQ(ItemText(0, 0), "short");
  EXPECT_EQ(Record()->typeData[LISTVIEW_LONGEST_TEXT], 20000);
}

TEST_F(ListViewTest, TextRoutinesReachRowsAndHeaders) {
  const GadgetOps *ops = Ops();
  GadgetItemAdd(0, -1, "r0\nb0");
  GadgetItemAdd(0, -1, "r1\nb1");
  EXPECT_EQ(ItemText(-1, 0), "Wert 1");
  EXPECT_EQ(ItemText(-1, 3), "Wert 4");
  EXPECT_EQ(ItemText(-1, 9), "");
  EXPECT_EQ(ItemText(7, 0), "");

  ops->SetItemText(Record(), -1, "Spalte", 1);
  EXPECT_EQ(ItemText(-1, 1), "Spalte");
  ops->SetItemText(Record(), 1, "no\nsplit", 0);
  EXPECT_EQ(ItemText(1, 0), "no\nsplit");
  EXPECT_EQ(ItemText(1, 1), "b1");

  // Without a selection: GetText is empty and SetText refuses.
  EXPECT_EQ(GadgetText(0), "");
  EXPECT_LT(ops->SetText(Record(), "x\ny"), 0);
  ops->SetState(Record(), 0);
  EXPECT_EQ(GadgetText(0), "r0");
  EXPECT_EQ(ops->SetText(Record(), "n0\nm0\n\nq0"), 0);
  EXPECT_EQ(RowTexts(0), (Row{"n0", "m0", "", "q0"}));

  ops->RemoveItem(Record(), 0);
  EXPECT_EQ(GadgetItemsCount(0), 1);
  EXPECT_EQ(ItemText(0, 0), "no\nsplit");
}

TEST_F(ListViewTest, SelectionAndCheckStateRoutines) {
  const GadgetOps *ops = Ops();
  for (const char *text : {"a", "b", "c"})
    GadgetItemAdd(0, -1, text);
  EXPECT_EQ(ops->GetState(Record()), -1);
  ops->SetState(Record(), 2);
  EXPECT_EQ(ops->GetState(Record()), 2);
  EXPECT_EQ(ops->GetItemState(Record(), 2), 1);
  EXPECT_EQ(ops->GetItemState(Record(), 0), 0);

  // Multi-selection list: SetState clears every selected row first.
  ops->SetItemState(Record(), 0, 1);
  EXPECT_EQ(ops->GetItemState(Record(), 0), 1);
  ops->SetState(Record(), 1);
  EXPECT_EQ(ops->GetItemState(Record(), 0), 0);
  EXPECT_EQ(ops->GetItemState(Record(), 2), 0);
  EXPECT_EQ(ops->GetState(Record()), 1);
  ops->SetState(Record(), -1);
  EXPECT_EQ(ops->GetState(Record()), -1);

  // The check bit counts only where the list has check boxes.
  ops->SetItemState(Record(), 1, 2);
  EXPECT_EQ(ops->GetItemState(Record(), 1), 0);
  HWND checked = ListViewCreate(1, 5, 5, 200, 100, "c", 100, LISTVIEW_FLAG_CHECKBOXES);
  ASSERT_NE(checked, nullptr);
  GadgetRecord *record = GadgetRecordOf(1);
  GadgetItemAdd(1, -1, "x");
  EXPECT_EQ(ops->GetItemState(record, 0), 0);
  ops->SetItemState(record, 0, 3);
  EXPECT_EQ(ops->GetItemState(record, 0), 3);
  ops->SetItemState(record, 0, 0);
  EXPECT_EQ(ops->GetItemState(record, 0), 0);
  EXPECT_EQ(GetWindowLongPtrA(checked, GWL_STYLE) & LVS_SINGLESEL, LVS_SINGLESEL);
  EXPECT_EQ(SendMessageA(checked, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_DOUBLEBUFFER | LVS_EX_CHECKBOXES);
  GadgetFree(1);
}

TEST_F(ListViewTest, CreationSetsStylesRecordAndOneColumn) {
  // Bits 8 to 15 are the control's choices of alignment, header and drawing.
  const DWORD CONTROL_CHOICES = LVS_AUTOARRANGE | LVS_EDITLABELS | LVS_ALIGNMASK | LVS_OWNERDATA | LVS_NOSCROLL |
                                LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER;
  static_assert(CONTROL_CHOICES == 0xFF00, "bits 8 to 15");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE)) & ~CONTROL_CHOICES, VIEWER_LIST_STYLE);
  EXPECT_EQ(GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(Record()->typeData[LISTVIEW_LINE_COLOR], -1);
  EXPECT_EQ(Record()->typeData[LISTVIEW_FLAGS], LISTVIEW_RECORD_GRIDLINES);
  EXPECT_EQ(Ops()->type, GADGET_TYPE_LIST_VIEW);
  EXPECT_EQ(Ops()->AddItemExtended, nullptr);

  HWND single = ListViewCreate(2, 5, 5, 200, 100, nullptr, 80, LISTVIEW_FLAG_HEADER_DRAGDROP);
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(GadgetRecordOf(2)->typeData[LISTVIEW_FLAGS], 0);
  EXPECT_EQ(SendMessageA(single, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP);
  HWND header = reinterpret_cast<HWND>(SendMessageA(single, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(single, LVM_GETCOLUMNWIDTH, 0, 0), 80);
  GadgetFree(2);
}
