// Shared pieces of the list view tests: the viewer's four-column list on
// window 0, row texts read back through the list's own routines, and a
// capture of what the list shows on screen.
#pragma once
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "app/viewer_list.h"
#include "tests/gadgets/gadget_test_support.h"
#include "toolkit/gadgets/gadget_items.h"
#include "toolkit/gadgets/list_view.h"

// The list the viewer builds: "Wert 1" to "Wert 4", each 100 wide, narrow
// enough for the test window.
class ListViewTest : public GadgetWindowTest {
protected:
  void SetUp() override {
    GadgetWindowTest::SetUp();
    list = ViewerListCreate(0, 460);
    ASSERT_NE(list, nullptr);
  }
  GadgetRecord *Record() { return GadgetRecordOf(0); }
  const GadgetOps *Ops() { return Record()->operations; }
  std::string ItemText(int32_t row, int32_t column) {
    int32_t pos = ScratchPos;
    Ops()->GetItemText(Record(), row, column, pos);
    std::string text(ScratchAt(pos), ScratchPos - pos);
    ScratchSetPos(pos);
    return text;
  }
  std::vector<std::string> RowTexts(int32_t row) {
    std::vector<std::string> texts;
    for (int32_t column = 0; column < 4; column++)
      texts.push_back(ItemText(row, column));
    return texts;
  }
  HWND list = nullptr;
};

// The list's client area as shown on screen, as 0x00RRGGBB pixels.
struct ListCapture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  // As a COLORREF (0x00BBGGRR), for comparing with the list's colours.
  COLORREF At(int32_t x, int32_t y) const {
    uint32_t p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

inline ListCapture ListCaptureTake(HWND control) {
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EventDrain();
  ListCapture capture;
  RECT client;
  GetClientRect(control, &client);
  capture.width = client.right;
  capture.height = client.bottom;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  HDC screen = GetDC(control);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const uint32_t *source = static_cast<const uint32_t *>(bits);
  capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(control, screen);
  return capture;
}
