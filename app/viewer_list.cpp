#include "app/viewer_list.h"

#include "toolkit/gadgets/gadget_items.h"

HWND ViewerListCreate(ObjectId number, int32_t width) {
  HWND list = ListViewCreate(number, VIEWER_LIST_X, VIEWER_LIST_Y, width, VIEWER_LIST_HEIGHT, VIEWER_LIST_TITLES[0],
                             VIEWER_LIST_COLUMN_WIDTH, VIEWER_LIST_FLAGS);
  for (int32_t column = 1; list != nullptr && column < VIEWER_LIST_COLUMNS; column++) {
    ListViewAddColumn(number, column, VIEWER_LIST_TITLES[column], VIEWER_LIST_COLUMN_WIDTH);
  }
  return list;
}
