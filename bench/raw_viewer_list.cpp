#include "bench/raw_viewer_list.h"

#include "app/viewer_list.h"

HWND RawViewerListCreate(HWND parent, HINSTANCE instance) {
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, nullptr, VIEWER_LIST_STYLE, VIEWER_LIST_X, VIEWER_LIST_Y,
                              VIEWER_LIST_WIDTH, VIEWER_LIST_HEIGHT, parent, nullptr, instance, nullptr);
  if (!list) {
    return nullptr;
  }
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, VIEWER_LIST_EXTENDED_STYLE, VIEWER_LIST_EXTENDED_STYLE);
  for (int32_t column = 0; column < VIEWER_LIST_COLUMNS; column++) {
    LVCOLUMNA info = {};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.cx = VIEWER_LIST_COLUMN_WIDTH;
    info.pszText = const_cast<char *>(VIEWER_LIST_TITLES[column]);
    info.iSubItem = column;
    SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
  }
  return list;
}
