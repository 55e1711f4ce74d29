// The grid lines the list paints itself after every paint in report view.
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"
#include "toolkit/gadgets/theme_check.h"

static int32_t ListViewIntProperty(HWND control, const char *name) {
  return static_cast<int32_t>(reinterpret_cast<INT_PTR>(GetPropA(control, name)));
}

RECT ListViewRowMetrics(HWND control) {
  RECT row = {};
  if (ListViewRowCount(control) > 0) {
    row.left = LVIR_BOUNDS;
    SendMessageA(control, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    return row;
  }
  // An empty list is measured once with a temporary row; a font change drops
  // the measurement.
  if (ListViewIntProperty(control, LIST_VIEW_RECT_TOP_PROPERTY) == 0) {
    char blank[] = " ";
    LVITEMA item = ListViewTextItem(0, 0, blank);
    SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    RECT measured = {};
    measured.left = LVIR_BOUNDS;
    SendMessageA(control, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&measured));
    SendMessageA(control, LVM_DELETEALLITEMS, 0, 0);
    SetPropA(control, LIST_VIEW_RECT_TOP_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(measured.top)));
    SetPropA(control, LIST_VIEW_RECT_BOTTOM_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(measured.bottom)));
  }
  row.top = ListViewIntProperty(control, LIST_VIEW_RECT_TOP_PROPERTY);
  row.bottom = ListViewIntProperty(control, LIST_VIEW_RECT_BOTTOM_PROPERTY);
  row.right = static_cast<LONG>(SendMessageA(control, LVM_GETCOLUMNWIDTH, 0, 0));
  return row;
}

static void ListViewLine(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void ListViewDrawGrid(HWND control, HDC dc, COLORREF colour) {
  RECT client;
  GetClientRect(control, &client);
  HWND header = reinterpret_cast<HWND>(SendMessageA(control, LVM_GETHEADER, 0, 0));
  RECT headerRect = {};
  GetWindowRect(header, &headerRect);
  MapWindowPoints(nullptr, control, reinterpret_cast<POINT *>(&headerRect), 2);

  HPEN pen = CreatePen(PS_SOLID, 0, colour);
  HGDIOBJ previousPen = SelectObject(dc, pen);

  // Horizontal lines at the row pitch, on below the last row and in an empty
  // list at the height its rows would have.
  RECT row = ListViewRowMetrics(control);
  int32_t pitch = row.bottom - row.top;
  if (pitch > 0) {
    int32_t y = row.bottom - 1;
    while (y < 0) {
      y += pitch;
    }
    for (; y < client.bottom; y += pitch) {
      if (y > headerRect.bottom) {
        ListViewLine(dc, 0, y, client.right, y);
      }
    }
  }

  // Unthemed, the header's lower edge is covered in the list's background and
  // the first line is drawn just below it.
  if (!GadgetsThemed) {
    HPEN back = CreatePen(PS_SOLID, 0, static_cast<COLORREF>(SendMessageA(control, LVM_GETBKCOLOR, 0, 0)));
    SelectObject(dc, back);
    ListViewLine(dc, 0, headerRect.bottom, client.right, headerRect.bottom);
    SelectObject(dc, pen);
    DeleteObject(back);
    headerRect.bottom += 1;
    ListViewLine(dc, 0, headerRect.bottom, client.right, headerRect.bottom);
  }

  int32_t columns = static_cast<int32_t>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  if (columns > 0) {
    row = ListViewRowMetrics(control);
    ListViewLine(dc, row.right, headerRect.bottom, row.right, client.bottom);
  }
  bool hasRows = ListViewRowCount(control) > 0;
  int32_t columnsEnd = 0;
  for (int32_t i = 1; i < columns; i++) {
    int32_t x;
    if (hasRows) {
      RECT cell = {};
      cell.top = i;
      cell.left = LVIR_BOUNDS;
      SendMessageA(control, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
      x = cell.left;
    } else {
      if (i == 1) {
        columnsEnd = static_cast<int32_t>(SendMessageA(control, LVM_GETCOLUMNWIDTH, 0, 0));
      }
      columnsEnd += static_cast<int32_t>(SendMessageA(control, LVM_GETCOLUMNWIDTH, i, 0));
      x = columnsEnd;
    }
    ListViewLine(dc, x, headerRect.bottom, x, client.bottom);
  }

  SelectObject(dc, previousPen);
  DeleteObject(pen);
}
