#include "tests/gadgets/list_view_test_support.h"

#include "toolkit/core/program_heap.h"

TEST_F(ListViewTest, ColumnsAddedAndRemovedMoveTheStoredColours) {
  const GadgetOps *ops = Ops();
  GadgetItemAdd(0, -1, "a\nb\nc\nd");
  GadgetItemAdd(0, -1, "plain");
  for (int32_t column = 0; column < 4; column++)
    ops->SetItemColor(Record(), 0, COLOR_KIND_TEXT, 0x100 + column, column);
  ops->SetItemColor(Record(), 0, COLOR_KIND_BACK, 0x222, 2);

  // A column inserted in the middle: the colours of columns 1 to 3 move on by one.
  EXPECT_EQ(ListViewAddColumn(0, 1, "Neu", 50), 2);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 0), 0x100);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 1), -1);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 2), 0x101);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 4), 0x103);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_BACK, 3), 0x222);
  EXPECT_EQ(ops->GetItemColor(Record(), 1, COLOR_KIND_TEXT, 0), -1); // no record
  EXPECT_EQ(ItemText(0, 2), "b");

  // Appended at the end: a new unset pair.
  ListViewAddColumn(0, 9, "Ende", 50);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 5), -1);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 6), -1);

  // Removed again: the later pairs move down.
  ops->RemoveColumn(Record(), 1);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 1), 0x101);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 3), 0x103);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_BACK, 2), 0x222);
  ops->RemoveColumn(Record(), 4);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 4), -1); // beyond the last
  ops->RemoveColumn(Record(), 42);
  EXPECT_EQ(ops->GetItemColor(Record(), 0, COLOR_KIND_TEXT, 3), 0x103);
}

TEST_F(ListViewTest, CellColoursAndRowData) {
  const GadgetOps *ops = Ops();
  for (const char *text : {"a", "b", "c"})
    GadgetItemAdd(0, -1, text);
  struct Case {
    int32_t index, kind, colour, column;
    int32_t row, readColumn, readKind, expected;
  } cases[] = {
      {1, COLOR_KIND_TEXT, 0x0000FF, 2, 1, 2, COLOR_KIND_TEXT, 0x0000FF},
      {1, COLOR_KIND_BACK, 0x00FF00, 2, 1, 2, COLOR_KIND_BACK, 0x00FF00},
      {1, COLOR_KIND_TEXT, -1, 2, 1, 2, COLOR_KIND_TEXT, -1},        // -1 restores the default
      {1, COLOR_KIND_BACK, 0x123, -1, 1, 3, COLOR_KIND_BACK, 0x123}, // every column
      {1, COLOR_KIND_BACK, 0x456, 0, 1, -5, COLOR_KIND_BACK, 0x456}, // negative reads column 0
      {-1, COLOR_KIND_TEXT, 0x789, 3, 0, 3, COLOR_KIND_TEXT, 0x789}, // every row
      {-1, COLOR_KIND_TEXT, 0x789, 3, 2, 3, COLOR_KIND_TEXT, 0x789},
      {1, COLOR_KIND_LINE, 0x111, 0, 1, 0, COLOR_KIND_LINE, -1}, // not a cell colour
      {1, COLOR_KIND_TEXT, 0x222, 4, 1, 4, COLOR_KIND_TEXT, -1}, // no such column
      {5, COLOR_KIND_TEXT, 0x333, 0, 5, 0, COLOR_KIND_TEXT, -1}, // no such row
      {1, COLOR_KIND_TEXT, 0xFFFFFF, 0, 1, 0, COLOR_KIND_TEXT, 0xFFFFFF},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.index << "/" << c.kind << "/" << c.column);
    ops->SetItemColor(Record(), c.index, c.kind, c.colour, c.column);
    EXPECT_EQ(ops->GetItemColor(Record(), c.row, c.readKind, c.readColumn), c.expected);
  }

  EXPECT_EQ(ops->GetItemData(Record(), 0), 0); // a record with colours only
  ops->SetItemData(Record(), 0, -7);
  ops->SetItemData(Record(), 3, 9); // no such row
  EXPECT_EQ(ops->GetItemData(Record(), 0), -7);
  EXPECT_EQ(ops->GetItemData(Record(), 3), 0);
  GadgetItemAdd(0, -1, "d");
  EXPECT_EQ(ops->GetItemData(Record(), 3), 0);
  ops->SetItemData(Record(), 3, 12);
  EXPECT_EQ(ops->GetItemData(Record(), 3), 12);
  EXPECT_EQ(ops->GetItemColor(Record(), 3, COLOR_KIND_TEXT, 0), -1);
  ops->RemoveItem(Record(), 0);
  EXPECT_EQ(ops->GetItemData(Record(), 2), 12);
}

TEST_F(ListViewTest, ListColoursAndDefaults) {
  const GadgetOps *ops = Ops();
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_TEXT), static_cast<int32_t>(ListViewDefaultTextColor));
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_BACK), static_cast<int32_t>(ListViewDefaultBackColor));
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_LINE), -1);
  EXPECT_EQ(ops->GetColor(Record(), 7), -1);

  ops->SetColor(Record(), COLOR_KIND_TEXT, 0x0000FF);
  ops->SetColor(Record(), COLOR_KIND_BACK, 0x00FFFF);
  ops->SetColor(Record(), COLOR_KIND_LINE, 0xFF0000);
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_TEXT), 0x0000FF);
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_BACK), 0x00FFFF);
  EXPECT_EQ(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0), 0x00FFFF);
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_LINE), 0xFF0000);

  ops->SetColor(Record(), COLOR_KIND_TEXT, -1);
  ops->SetColor(Record(), COLOR_KIND_BACK, -1);
  ops->SetColor(Record(), COLOR_KIND_LINE, -1);
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_TEXT), static_cast<int32_t>(ListViewDefaultTextColor));
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_BACK), static_cast<int32_t>(ListViewDefaultBackColor));
  EXPECT_EQ(ops->GetColor(Record(), COLOR_KIND_LINE), -1);
}

TEST_F(ListViewTest, ViewModeAndColumnWidthAttributes) {
  const GadgetOps *ops = Ops();
  EXPECT_EQ(ops->GetAttribute(Record(), 2), 3);
  EXPECT_EQ(ops->GetAttribute(Record(), 1), 0);
  int32_t views[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {9, 0}, {-1, 0}};
  for (auto &view : views) {
    ops->SetAttribute(Record(), 2, view[0]);
    EXPECT_EQ(ops->GetAttribute(Record(), 2), view[1]) << view[0];
  }
  ops->SetAttribute(Record(), 2, 3);
  ops->SetAttribute(Record(), 5, 0); // ignored
  EXPECT_EQ(ops->GetAttribute(Record(), 2), 3);

  EXPECT_EQ(ops->GetItemAttribute(Record(), 0, 1, 2), 100);
  EXPECT_EQ(ops->GetItemAttribute(Record(), 0, 3, 2), 0);
  ops->SetItemAttribute(Record(), 5, 1, 0x10000 + 130, 2); // low 16 bits only
  EXPECT_EQ(ops->GetItemAttribute(Record(), -1, 1, 2), 130);
  ops->SetItemAttribute(Record(), 0, 2, 10, 2);
  EXPECT_EQ(ops->GetItemAttribute(Record(), 0, 1, 2), 130);
}

namespace {
// Blocks in use once every queued window event has been handed out.
int32_t ProgramHeapBlocks() {
  EventDrain();
  PROCESS_HEAP_ENTRY entry = {};
  int32_t blocks = 0;
  while (HeapWalk(ProgramHeap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
      blocks++;
  return blocks;
}
} // namespace

TEST_F(ListViewTest, RowRecordsLiveOnlyWhileTheirRowsDo) {
  const GadgetOps *ops = Ops();
  for (int32_t row = 0; row < 10; row++)
    GadgetItemAdd(0, -1, "a\nb");
  int32_t before = ProgramHeapBlocks();
  for (int32_t row = 0; row < 10; row++) {
    ops->SetItemData(Record(), row, row);
    ops->SetItemColor(Record(), row, COLOR_KIND_TEXT, 0x10, 1);
  }
  EXPECT_EQ(ProgramHeapBlocks(), before + 10);
  ops->RemoveItem(Record(), 3);
  EXPECT_EQ(ProgramHeapBlocks(), before + 9);
  GadgetItemsClear(0);
  EXPECT_EQ(ProgramHeapBlocks(), before);

  for (int32_t row = 0; row < 10; row++) {
    GadgetItemAdd(0, -1, "a\nb");
    ops->SetItemData(Record(), row, row);
  }
  EXPECT_EQ(ProgramHeapBlocks(), before + 10);
  GadgetFree(0);
  EXPECT_EQ(ProgramHeapBlocks(), before);
}
