// Loading a big CSV file in the shipped viewer, end to end, against the
// cheapest way the list-view control can take the same rows, in one run.
//
//   csvview_load_bench <csvview.exe> [rows] [previous csvview.exe]
//                                                  (rows default 1000000)
//   csvview_load_bench <csvview.exe> copy [rows]   (bench/csvview_copy_bench.h)
//   csvview_load_bench <csvview.exe> encodings [rows]
//   csvview_load_bench <csvview.exe> sortfind [rows] (bench/csvview_sortfind_bench.h)
// Viewer: a generated four-field file is chosen in the viewer's file dialog;
// the time runs from the dialog's Open press to the viewer's count message,
// so it covers closing the dialog, emptying the (empty) list, reading and
// splitting every line, appending every row and counting them.
// Baseline: the same rows, already split in memory, appended with raw
// list-view messages (LVM_INSERTITEMA + LVM_SETITEMTEXTA) to a list like the
// viewer's in a visible window of this process, its redraw off during the
// appends, then redraw on and one paint.
// Neither list is emptied or destroyed while timed: the control needs minutes
// for that with a million rows under Wine, so the viewer is ended without its
// shutdown and this process leaves its list to the process end.
// Previous: the same load in another build of the viewer, for the cost of
// the work since; the two viewers take turns, four times each, and the
// fastest load of each counts.
// Encodings: the same rows as UTF-8 and as UTF-16 against code page 1252,
// each loaded by the viewer in turn, three times, the fastest counting.
// Live: the window watched from here during a load: its longest answer to
// WM_NULL (asked every 50 ms), the distinct titles it shows, and the time to
// the first rows on the screen, for these rows and for 1,000; then the time
// from Esc to the message, and from the close box to the process's end.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "app/viewer_numbers.h"
#include "bench/csvview_copy_bench.h"
#include "bench/csvview_sortfind_bench.h"
#include "bench/generated_csv.h"
#include "bench/raw_viewer_list.h"
#include "tools/driver/remote_viewer.h"

namespace {

const DWORD BENCH_WAIT_MS = 3600 * 1000;
const int32_t BENCH_COLUMNS = GENERATED_CSV_FIELDS;

// Seconds to append the rows to a list shaped like the viewer's, or -1.
double BenchBaseline(int32_t rows) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "CsvviewLoadBenchBaseline";
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "baseline", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0,
                                506, 425, nullptr, nullptr, windowClass.hInstance, nullptr);
  HWND list = RawViewerListCreate(window, windowClass.hInstance);
  if (!list) {
    return -1;
  }
  UpdateWindow(window);

  std::string *pieces = new std::string[static_cast<size_t>(rows) * BENCH_COLUMNS];
  for (int32_t row = 0; row < rows; row++) {
    GeneratedCsvRow(row, &pieces[static_cast<size_t>(row) * BENCH_COLUMNS]);
  }
  double start = BenchSeconds();
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int32_t row = 0; row < rows; row++) {
    std::string *rowPieces = &pieces[static_cast<size_t>(row) * BENCH_COLUMNS];
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = &rowPieces[0][0];
    int32_t index = static_cast<int32_t>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int32_t column = 1; column < BENCH_COLUMNS; column++) {
      LVITEMA text = {};
      text.iSubItem = column;
      text.pszText = &rowPieces[column][0];
      SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&text));
    }
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(window);
  double seconds = BenchSeconds() - start;
  int32_t count = static_cast<int32_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  ShowWindow(window, SW_HIDE);
  // The pieces are left to the process end as well: freeing a million
  // strings only adds to the run time.
  return count == rows ? seconds : -1;
}

// Seconds from the dialog's Open press to the count message, or -1.
double BenchViewer(const std::string &exePath, const std::string &csvPath, int32_t rows) {
  RemoteViewer viewer;
  if (!RemoteViewerStart(&viewer, exePath, 30000)) {
    std::fprintf(stderr, "the viewer did not start\n");
    return -1;
  }
  RemoteClick(RemoteViewerGadget(&viewer, GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, 30000);
  if (!dialog) {
    RemoteViewerRelease(&viewer);
    return -1;
  }
  RemoteSetText(GetDlgItem(dialog, 0x47C), csvPath);
  double start = BenchSeconds();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, BENCH_WAIT_MS);
  double seconds = BenchSeconds() - start;
  std::string message = box ? RemoteMessageText(box) : std::string("(no message)");
  std::printf("viewer message: %s\n", message.c_str());
  RemoteViewerRelease(&viewer);
  return message == std::to_string(rows) + " Zeilen gelesen !" ? seconds : -1;
}

struct BenchLive {
  double seconds; // Open press to the count message
  int32_t longestProbeMs;
  int32_t titles;
  double firstRowsMs;  // Open press to the first rows on the screen; -1: never
  double dialogGoneMs; // Open press to the dialog's end, where the load begins
};

// The first column of the list's first two rows, in screen coordinates; read
// before the load, since the list answers no message while a build without
// the live work loads.
RECT BenchFirstRowsArea(HWND list) {
  RECT area;
  RECT header;
  GetWindowRect(list, &area);
  GetWindowRect(GetWindow(list, GW_CHILD), &header);
  area.left += 4;
  area.right = area.left + 90;
  area.top = header.bottom + 2;
  area.bottom = area.top + 36;
  return area;
}

// Whether text shows in the area: dark pixels on the list's white, read back
// from the screen.
bool BenchAreaShowsText(const RECT &area) {
  int32_t width = area.right - area.left;
  int32_t height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return std::any_of(pixels.begin(), pixels.end(),
                     [](const RGBQUAD &p) { return p.rgbRed + p.rgbGreen + p.rgbBlue < 200; });
}

// One load watched from here, or seconds -1.
BenchLive BenchViewerLive(const std::string &exePath, const std::string &csvPath) {
  BenchLive live = {-1, 0, 0, -1, -1};
  RemoteViewer viewer;
  if (!RemoteViewerStart(&viewer, exePath, 30000)) {
    return live;
  }
  RemoteClick(RemoteViewerGadget(&viewer, GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, 30000);
  if (!dialog) {
    RemoteViewerRelease(&viewer);
    return live;
  }
  RemoteSetText(GetDlgItem(dialog, 0x47C), csvPath);
  RECT area = BenchFirstRowsArea(RemoteViewerGadget(&viewer, GADGET_LIST));
  // Out of the way, so that the list is on the screen before the load (a
  // dialog going leaves the root window's black over a busy window).
  SetWindowPos(dialog, nullptr, -2000, -2000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Sleep(500);
  bool watchRows = !BenchAreaShowsText(area);
  if (!watchRows) {
    std::printf("the empty list does not show on the screen; first rows not measured\n");
  }
  std::set<std::string> titles;
  double start = BenchSeconds();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  double nextProbe = start;
  double boxSeen = 0;
  // Until the message, and a little longer for the first rows of a short load.
  for (double now = start; now - start < BENCH_WAIT_MS / 1000.0; now = BenchSeconds()) {
    if (live.dialogGoneMs < 0 && !IsWindowVisible(dialog)) {
      live.dialogGoneMs = (now - start) * 1000;
    }
    if (watchRows && live.firstRowsMs < 0 && BenchAreaShowsText(area)) {
      live.firstRowsMs = (now - start) * 1000;
    }
    if (boxSeen == 0 && now >= nextProbe) {
      live.longestProbeMs = std::max(live.longestProbeMs, RemoteWindowProbe(viewer.window, BENCH_WAIT_MS));
      char title[256] = "";
      if (GetWindowTextA(viewer.window, title, sizeof title) > 0) {
        titles.insert(title);
      }
      nextProbe = now + 0.05;
    }
    if (boxSeen == 0 && RemoteViewerDialog(&viewer, REMOTE_DIALOG_MESSAGE)) {
      boxSeen = now;
      live.seconds = now - start;
    }
    if (boxSeen != 0 && (!watchRows || live.firstRowsMs >= 0 || now - boxSeen > 2)) {
      break;
    }
    Sleep(5);
  }
  live.titles = static_cast<int32_t>(titles.size());
  RemoteViewerRelease(&viewer);
  return live;
}

// A load begun and shown in the title for a second, so that it still runs.
bool BenchLoadUnderWay(RemoteViewer *viewer, const std::string &exePath, const std::string &csvPath) {
  if (!RemoteViewerStart(viewer, exePath, 30000) || !RemoteViewerBeginLoad(viewer, csvPath, 30000) ||
      RemoteWindowWaitTitle(viewer->window, 30000).empty()) {
    RemoteViewerRelease(viewer);
    return false;
  }
  Sleep(1000);
  return true;
}

// Esc a second into the progress of a load: milliseconds to the message, or -1; whether
// the message's count is the list's.
double BenchViewerStop(const std::string &exePath, const std::string &csvPath, bool *countAgrees) {
  RemoteViewer viewer;
  *countAgrees = false;
  if (!BenchLoadUnderWay(&viewer, exePath, csvPath)) {
    return -1;
  }
  double start = BenchSeconds();
  RemoteViewerKeyPost(&viewer, VK_ESCAPE);
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, BENCH_WAIT_MS);
  double ms = (BenchSeconds() - start) * 1000;
  int32_t count = RemoteListCount(RemoteViewerGadget(&viewer, GADGET_LIST));
  std::string text = box ? RemoteMessageText(box) : std::string("(no message)");
  std::printf("stop message: %s; the list holds %ld rows\n", text.c_str(), static_cast<long>(count));
  *countAgrees = text == "Abgebrochen - nur " + std::to_string(count) + " Zeilen gelesen !";
  RemoteViewerRelease(&viewer);
  return box ? ms : -1;
}

// The close box a second into the progress of a load: milliseconds to the process's end
// with exit code 0, or -1.
double BenchViewerEnd(const std::string &exePath, const std::string &csvPath) {
  RemoteViewer viewer;
  if (!BenchLoadUnderWay(&viewer, exePath, csvPath)) {
    return -1;
  }
  double start = BenchSeconds();
  PostMessageA(viewer.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = RemoteViewerWaitExit(&viewer, BENCH_WAIT_MS);
  double ms = (BenchSeconds() - start) * 1000;
  RemoteViewerRelease(&viewer);
  return exitCode == 0 ? ms : -1;
}

// The live figures, for the rows of the file and for 1,000 rows.
void BenchLiveReport(const std::string &exePath, const std::string &csvPath) {
  BenchLive live = BenchViewerLive(exePath, csvPath);
  std::printf("live: load %.3f s, longest WM_NULL answer %ld ms (goal: at most 250), %ld distinct titles, "
              "%.2f a second (goal: at least 1), first rows after %.0f ms (goal: at most 200; the dialog went after "
              "%.0f ms)\n",
              live.seconds, static_cast<long>(live.longestProbeMs), static_cast<long>(live.titles),
              live.titles / live.seconds, live.firstRowsMs, live.dialogGoneMs);
  std::string smallPath = GeneratedCsvTempPath("csvview-load-bench-1000.csv");
  if (GeneratedCsvWrite(smallPath, 1000)) {
    BenchLive small = BenchViewerLive(exePath, smallPath);
    std::printf("live, 1000 rows: first rows after %.0f ms (goal: at most 200; the dialog went after %.0f ms)\n",
                small.firstRowsMs, small.dialogGoneMs);
    DeleteFileA(smallPath.c_str());
  }
  bool countAgrees = false;
  double stopMs = BenchViewerStop(exePath, csvPath, &countAgrees);
  std::printf("Esc to the message: %.0f ms (goal: at most 250), count %s the list's\n", stopMs,
              countAgrees ? "equals" : "DIFFERS FROM");
  std::printf("close box to the process's end: %.0f ms (goal: at most 1000)\n", BenchViewerEnd(exePath, csvPath));
  std::fflush(stdout);
}

// The three files' loads in turns; 0 when all came out right.
int BenchEncodings(const std::string &exePath, int32_t rows) {
  const struct {
    const char *name;
    GeneratedText text;
  } kinds[] = {{"code page 1252", GENERATED_CP1252}, {"UTF-8", GENERATED_UTF8}, {"UTF-16", GENERATED_UTF16}};
  std::string paths[3];
  double fastest[3] = {0, 0, 0};
  for (int k = 0; k < 3; k++) {
    paths[k] = GeneratedCsvTempPath(("csvview-load-bench-" + std::to_string(k) + ".csv").c_str());
    if (!GeneratedCsvWrite(paths[k], rows, kinds[k].text)) {
      return 1;
    }
  }
  for (int round = 0; round < 3; round++) {
    for (int k = 0; k < 3; k++) {
      double seconds = BenchViewer(exePath, paths[k], rows);
      std::printf("%s: %.3f s\n", kinds[k].name, seconds);
      std::fflush(stdout);
      if (seconds <= 0) {
        return 1;
      }
      fastest[k] = round == 0 ? seconds : std::min(fastest[k], seconds);
    }
  }
  for (int k = 0; k < 3; k++) {
    DeleteFileA(paths[k].c_str());
  }
  std::printf("fastest: code page 1252 %.3f s, UTF-8 %.3f s, UTF-16 %.3f s\n", fastest[0], fastest[1], fastest[2]);
  std::printf("ratio UTF-8 / code page 1252: %.3f (goal: at most 1.1)\n", fastest[1] / fastest[0]);
  std::printf("ratio UTF-16 / code page 1252: %.3f (goal: at most 1.1)\n", fastest[2] / fastest[0]);
  return 0;
}

// The viewer ([0]) and a previous build ([1]) loading the same file in
// turns; the fastest load of each counts.
const int BENCH_TURNS = 4;
struct BenchTurns {
  double fastest[2];
};

BenchTurns BenchTakeTurns(const std::string &exePath, const std::string &previousPath, const std::string &csvPath,
                          int32_t rows) {
  // Alternated, several times each: the machine's load moves more between
  // two runs than the cost that is looked for.
  const std::string *exes[2] = {&exePath, &previousPath};
  BenchTurns turns = {};
  for (int turn = 0; turn < 2 * BENCH_TURNS; turn++) {
    int which = turn % 2;
    double seconds = BenchViewer(*exes[which], csvPath, rows);
    std::printf("%s: %.3f s\n", which == 0 ? "viewer" : "previous", seconds);
    std::fflush(stdout);
    // A failed load stays failed: it is -1, below every time.
    turns.fastest[which] = turn < 2 || seconds < 0 ? seconds : std::min(turns.fastest[which], seconds);
  }
  return turns;
}

void BenchTurnsReport(const BenchTurns &turns) {
  if (turns.fastest[1] <= 0) {
    std::printf("the previous viewer's load failed\n");
    return;
  }
  std::printf("previous viewer (fastest of %d): %.3f s; added cost %+.1f%% (goal: at most 3%%)\n", BENCH_TURNS,
              turns.fastest[1], (turns.fastest[0] / turns.fastest[1] - 1) * 100);
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(
        stderr,
        "usage: %s <csvview.exe> [rows] [previous csvview.exe] | <csvview.exe> copy|encodings|sortfind [rows]\n",
        argv[0]);
    return 2;
  }
  std::string exePath = RemotePathFromArgument(argv[1]);
  std::string csvPath = GeneratedCsvTempPath("csvview-load-bench.csv");
  bool copy = argc > 2 && std::string(argv[2]) == "copy";
  bool encodings = argc > 2 && std::string(argv[2]) == "encodings";
  bool sortFind = argc > 2 && std::string(argv[2]) == "sortfind";
  int mode = copy || encodings || sortFind ? 1 : 0;
  int32_t rows = argc > 2 + mode ? std::atoi(argv[2 + mode]) : 1000000;
  if (encodings) {
    ExitProcess(static_cast<UINT>(rows > 0 ? BenchEncodings(exePath, rows) : 2));
  }
  if (rows <= 0 || !GeneratedCsvWrite(csvPath, rows)) {
    std::fprintf(stderr, "cannot write %s\n", csvPath.c_str());
    return 1;
  }
  std::printf("rows: %ld, file: %s\n", static_cast<long>(rows), csvPath.c_str());
  std::fflush(stdout);
  if (copy || sortFind) {
    int result = copy ? CsvviewCopyBench(exePath, csvPath, rows) : CsvviewSortFindBench(exePath, csvPath, rows);
    DeleteFileA(csvPath.c_str());
    ExitProcess(static_cast<UINT>(result));
  }
  double baseline = BenchBaseline(rows);
  std::printf("baseline, raw list-view appends with redraw off: %.3f s (%.2f us a row)\n", baseline,
              baseline * 1e6 / rows);
  std::fflush(stdout);
  BenchTurns turns = {};
  if (argc > 3) {
    turns = BenchTakeTurns(exePath, RemotePathFromArgument(argv[3]), csvPath, rows);
  } else {
    turns.fastest[0] = BenchViewer(exePath, csvPath, rows);
  }
  double viewer = turns.fastest[0];
  BenchLiveReport(exePath, csvPath);
  DeleteFileA(csvPath.c_str());
  std::printf("viewer, Open press to count message%s: %.3f s (%.2f us a row)\n",
              argc > 3 ? " (fastest of its turns)" : "", viewer, viewer * 1e6 / rows);
  if (baseline <= 0 || viewer <= 0) {
    std::printf("a measurement failed\n");
    return 1;
  }
  std::printf("ratio viewer / baseline: %.2f (goal: at most 1.5)\n", viewer / baseline);
  if (argc > 3) {
    BenchTurnsReport(turns);
  }
  std::fflush(stdout);
  // The baseline's list is not destroyed: that alone takes minutes.
  ExitProcess(0);
}
