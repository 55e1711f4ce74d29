// Filling the viewer's four-column list in a visible window: rows appended
// through GadgetItemAdd against the same rows sent as raw list-view messages
// to a list whose redraw is off (the cheapest the control allows), measured
// in the same run. Then emptying and destroying both.
//
//   list_view_append_bench [rows ...] [--clear-up-to N]
//   list_view_append_bench --showcase ROWS SECONDS   (a filled list to look at)
//
// Rows default to 100000 and 1000000. Lists up to --clear-up-to rows
// (default 200000) are also emptied and destroyed while timed; larger ones
// are left to the process end, because the control takes minutes to empty
// them under Wine.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "app/viewer_list.h"
#include "bench/raw_viewer_list.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/gadget_items.h"
#include "toolkit/gadgets/list_view.h"
#include "toolkit/startup/toolkit_startup.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/window.h"

namespace {

const char ROW_TEXT[] = "2026-12-08\nWert mit Text\n12345.678\nletzte Spalte";
const char *const RAW_PIECES[] = {"2026-12-08", "Wert mit Text", "12345.678", "letzte Spalte"};

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figures {
  double fill = 0;     // appending the rows
  double show = 0;     // redraw back on and the first paint
  double clear = -1;   // emptying the full list
  double destroy = -1; // destroying the full list
};

// Every message waiting, then the paints they caused.
void Settle(HWND window) {
  while (EventWait(0) != 0) {
  }
  UpdateWindow(window);
}

void RawListFill(HWND list, int32_t rows) {
  for (int32_t row = 0; row < rows; row++) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char *>(RAW_PIECES[0]);
    int32_t index = static_cast<int32_t>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (item.iSubItem = 1; item.iSubItem < 4; item.iSubItem++) {
      item.pszText = const_cast<char *>(RAW_PIECES[item.iSubItem]);
      SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    }
  }
}

// The baseline's list sits in a plain window whose procedure is the default
// one, so that its notifications cost nothing beyond the control itself.
HWND PlainWindowOpen() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = ModuleInstance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = "PlainBenchWindow";
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, "PlainBenchWindow", "baseline", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 820, 360, nullptr,
                         nullptr, ModuleInstance, nullptr);
}

Figures RawRun(HWND window, int32_t rows, bool clear) {
  Figures figures;
  HWND list = RawViewerListCreate(window, ModuleInstance);
  Settle(window);
  double start = Seconds();
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  RawListFill(list, rows);
  figures.fill = Seconds() - start;
  start = Seconds();
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  Settle(window);
  figures.show = Seconds() - start;
  if (!clear) {
    ShowWindow(list, SW_HIDE); // left to the process end
    return figures;
  }
  start = Seconds();
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  figures.clear = Seconds() - start;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  RawListFill(list, rows);
  start = Seconds();
  DestroyWindow(list);
  figures.destroy = Seconds() - start;
  Settle(window);
  return figures;
}

void GadgetFill(ObjectId number, int32_t rows) {
  for (int32_t row = 0; row < rows; row++)
    GadgetItemAdd(number, -1, ROW_TEXT);
}

// Each run has a gadget number of its own, so that no big list is destroyed
// by the reuse of its number.
Figures GadgetRun(HWND window, ObjectId number, int32_t rows, bool clear) {
  Figures figures;
  HWND list = ViewerListCreate(number);
  Settle(window);
  double start = Seconds();
  GadgetItemsClear(number); // as the viewer does before every load
  GadgetFill(number, rows);
  figures.fill = Seconds() - start;
  start = Seconds();
  Settle(window);
  figures.show = Seconds() - start;
  if (!clear) {
    ShowWindow(list, SW_HIDE); // left to the process end
    return figures;
  }
  start = Seconds();
  GadgetItemsClear(number);
  figures.clear = Seconds() - start;
  GadgetFill(number, rows);
  Settle(window);
  start = Seconds();
  GadgetFree(number);
  figures.destroy = Seconds() - start;
  Settle(window);
  return figures;
}

// What one row's LVN_INSERTITEM costs the window it is sent to.
double NotifyCost(HWND window, HWND control) {
  const int32_t count = 20000;
  NMLISTVIEW notification = {};
  notification.hdr.hwndFrom = control;
  notification.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongPtrA(control, GWLP_ID));
  notification.hdr.code = LVN_INSERTITEM;
  double start = Seconds();
  for (int32_t i = 0; i < count; i++)
    SendMessageA(window, WM_NOTIFY, notification.hdr.idFrom, reinterpret_cast<LPARAM>(&notification));
  return (Seconds() - start) * 1e6 / count;
}

// The viewer's list with rows for a screenshot, shown for some seconds.
void Showcase(int32_t rows, int32_t seconds) {
  ViewerListCreate(0);
  for (int32_t row = 0; row < rows; row++) {
    char text[96];
    snprintf(text, sizeof text, "Zeile %d\n%d;%d\n\nEnde \xF6", row + 1, row * 7, row % 13);
    GadgetItemAdd(0, -1, text);
  }
  double end = Seconds() + seconds;
  while (Seconds() < end)
    EventWait(100);
}

void PrintFigures(const char *name, int32_t rows, const Figures &f) {
  printf("%-8s %8d rows: fill %8.3f s (%6.2f us/row)  show %6.3f s", name, rows, f.fill, f.fill * 1e6 / rows, f.show);
  if (f.clear >= 0)
    printf("  clear %8.3f s  destroy %8.3f s", f.clear, f.destroy);
  printf("\n");
  fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
  std::vector<int32_t> sizes;
  int32_t clearUpTo = 200000;
  int32_t showcaseRows = 0;
  int32_t showcaseSeconds = 0;
  for (int i = 1; i < argc; i++) {
    if (strcmp(argv[i], "--clear-up-to") == 0 && i + 1 < argc) {
      clearUpTo = atoi(argv[++i]);
    } else if (strcmp(argv[i], "--showcase") == 0 && i + 2 < argc) {
      showcaseRows = atoi(argv[++i]);
      showcaseSeconds = atoi(argv[++i]);
    } else {
      sizes.push_back(atoi(argv[i]));
    }
  }
  if (sizes.empty())
    sizes = {100000, 1000000};

  if (!ToolkitStartup()) {
    fprintf(stderr, "the toolkit cannot start\n");
    return 1;
  }
  HWND window = WindowOpen(0, 0, 0, 800, 310, "list_view_append_bench", WINDOW_FLAG_SCREEN_CENTERED);
  if (!window) {
    fprintf(stderr, "no window\n");
    return 1;
  }
  if (showcaseRows > 0) {
    Showcase(showcaseRows, showcaseSeconds);
    ToolkitShutdown();
    return 0;
  }
  HWND plain = PlainWindowOpen();
  Settle(window);
  HWND probe = ListViewCreate(99, 5, 5, 100, 100, "x", 50, 0);
  printf("WM_NOTIFY (one per added row) to the toolkit window: %.2f us, to a plain window: %.2f us\n",
         NotifyCost(window, probe), NotifyCost(plain, probe));
  GadgetFree(99);

  // The first lists of a process pay for the heaps growing and the pages
  // being touched; without a warm-up that cost lands on whichever kind runs
  // first.
  RawRun(plain, 50000, true);
  GadgetRun(window, 98, 50000, true);

  std::vector<Figures> ours;
  bool leftAlive = false;
  for (int32_t rows : sizes) {
    bool clear = rows <= clearUpTo;
    leftAlive |= !clear;
    Figures raw = RawRun(plain, rows, clear);
    PrintFigures("raw", rows, raw);
    Figures gadget = GadgetRun(window, static_cast<ObjectId>(ours.size()), rows, clear);
    PrintFigures("gadget", rows, gadget);
    ours.push_back(gadget);
    printf("  ratio gadget/raw: fill %.2f (goal <= 1.30)", gadget.fill / raw.fill);
    if (clear)
      printf("  clear %.2f  destroy %.2f", gadget.clear / raw.clear, gadget.destroy / raw.destroy);
    printf("\n");
  }
  for (size_t i = 1; i < sizes.size(); i++)
    printf("gadget fill %d rows / %d rows: %.2f (rows ratio %.1f)\n", sizes[i], sizes[0], ours[i].fill / ours[0].fill,
           static_cast<double>(sizes[i]) / sizes[0]);
  fflush(stdout);
  if (leftAlive)
    ExitProcess(0); // destroying the big lists would take minutes
  ToolkitShutdown();
  return 0;
}
