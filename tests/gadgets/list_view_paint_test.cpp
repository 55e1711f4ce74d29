#include "tests/gadgets/list_view_test_support.h"

#include <cstdlib>
#include <cstring>

#include "toolkit/gadgets/list_view_internal.h"
#include "toolkit/gadgets/theme_check.h"

namespace {

const COLORREF GRID = RGB(0xFF, 0x00, 0x00);

RECT HeaderRect(HWND control) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(control, LVM_GETHEADER, 0, 0));
  RECT rect;
  GetWindowRect(header, &rect);
  MapWindowPoints(nullptr, control, reinterpret_cast<POINT *>(&rect), 2);
  return rect;
}

// Columns whose pixel at height y has the grid colour.
std::vector<int32_t> GridColumnsAt(const ListCapture &capture, int32_t y) {
  std::vector<int32_t> xs;
  for (int32_t x = 0; x < capture.width; x++)
    if (capture.At(x, y) == GRID)
      xs.push_back(x);
  return xs;
}

// Rows whose pixel at x has the grid colour, below the header.
std::vector<int32_t> GridRowsAt(const ListCapture &capture, int32_t x, int32_t from) {
  std::vector<int32_t> ys;
  for (int32_t y = from; y < capture.height; y++)
    if (capture.At(x, y) == GRID)
      ys.push_back(y);
  return ys;
}

} // namespace

TEST_F(ListViewTest, GridLinesStandAtColumnEndsAndRowPitch) {
  Ops()->SetColor(Record(), COLOR_KIND_LINE, static_cast<int32_t>(GRID));
  RECT header = HeaderRect(list);
  for (int32_t rows : {0, 3}) {
    SCOPED_TRACE(rows);
    GadgetItemsClear(0);
    for (int32_t i = 0; i < rows; i++)
      GadgetItemAdd(0, -1, "a\nb\nc\nd");
    EventWait(0);
    ListCapture capture = ListCaptureTake(list);
    RECT row = ListViewRowMetrics(list);
    int32_t pitch = row.bottom - row.top;
    ASSERT_GT(pitch, 0);
    EXPECT_GT(row.top, header.top);

    // Vertical lines at the four column ends, from the header down.
    int32_t between = row.bottom + pitch / 2;
    EXPECT_EQ(GridColumnsAt(capture, between), (std::vector<int32_t>{100, 200, 300, 400}));
    EXPECT_EQ(GridColumnsAt(capture, capture.height - 1), (std::vector<int32_t>{100, 200, 300, 400}));

    // Horizontal lines one pitch apart down to the bottom, under rows and below them.
    std::vector<int32_t> expected;
    if (!GadgetsThemed)
      expected.push_back(header.bottom + 1); // the header's edge
    for (int32_t y = row.bottom - 1; y < capture.height; y += pitch)
      if (y > header.bottom)
        expected.push_back(y);
    EXPECT_EQ(GridRowsAt(capture, 50, header.bottom), expected);
    EXPECT_EQ(GridRowsAt(capture, 450, header.bottom), expected);
  }
}

TEST_F(ListViewTest, GridInTheButtonFaceColourByDefaultAndNoneWhenDisabled) {
  GadgetItemAdd(0, -1, "a");
  EventWait(0);
  RECT row = ListViewRowMetrics(list);
  ListCapture capture = ListCaptureTake(list);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(capture.At(200, row.bottom + 3), face);
  EXPECT_EQ(capture.At(250, row.bottom - 1), face);
  EXPECT_EQ(capture.At(250, row.bottom + 2), ListViewDefaultBackColor);

  Ops()->SetColor(Record(), COLOR_KIND_LINE, static_cast<int32_t>(GRID));
  Ops()->SetItemColor(Record(), 0, COLOR_KIND_BACK, RGB(0, 0, 0xFF), 2);
  capture = ListCaptureTake(list);
  EXPECT_EQ(capture.At(250, (row.top + row.bottom) / 2), RGB(0, 0, 0xFF));
  EXPECT_EQ(capture.At(350, (row.top + row.bottom) / 2), ListViewDefaultBackColor);
  EXPECT_EQ(capture.At(200, row.bottom + 3), GRID);

  EnableWindow(list, FALSE);
  capture = ListCaptureTake(list);
  EXPECT_TRUE(GridColumnsAt(capture, row.bottom + 3).empty());
  EXPECT_TRUE(GridRowsAt(capture, 50, row.top).empty());
  EXPECT_NE(capture.At(250, (row.top + row.bottom) / 2), RGB(0, 0, 0xFF));
  EnableWindow(list, TRUE);
}

TEST_F(ListViewTest, EmptyListMeasuresItsRowsOnceAndAgainAfterAFontChange) {
  RemovePropA(list, "QX_RectTop");
  RECT row = ListViewRowMetrics(list);
  EXPECT_GT(row.bottom, row.top);
  EXPECT_EQ(row.left, 0);
  EXPECT_EQ(row.right, 100);
  EXPECT_EQ(GadgetItemsCount(0), 0);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(list, "QX_RectTop")), row.top);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(list, "QX_RectBottom")), row.bottom);
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FONT)), TRUE);
  EXPECT_EQ(GetPropA(list, "QX_RectTop"), nullptr);
  RECT larger = ListViewRowMetrics(list);
  EXPECT_GE(larger.bottom - larger.top, row.bottom - row.top);
}

TEST_F(ListViewTest, ThemeCheckReportsTheLoadedControlsAndTheTheme) {
  // The tests carry the viewer's manifest, so the side-by-side common controls
  // are loaded; Wine 8's copy of them reports itself as 5.81, Windows' as 6.0.
  EXPECT_GE(CommonControlsVersion, 0x50051u);
  const char *theme = getenv("CSVVIEW_WINE_THEME");
  bool themeOn = theme && strcmp(theme, "on") == 0;
  EXPECT_EQ(GadgetsThemed, themeOn && CommonControlsVersion >= 0x60000 ? 1 : 0);
  // Known once, the version is not asked again.
  EXPECT_EQ(GadgetThemeCheck(), CommonControlsVersion);
}
