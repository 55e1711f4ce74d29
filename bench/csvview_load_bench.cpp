// Loading a big CSV file in the shipped viewer, end to end, against the
// cheapest way the list-view control can take the same rows, in one run.
//
//   csvview_load_bench <csvview.exe> [rows]        (rows default 1000000)
//   csvview_load_bench <csvview.exe> copy [rows]   (bench/csvview_copy_bench.h)
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
#include <cstdio>
#include <cstdlib>
#include <string>
#include <windows.h>
#include <commctrl.h>

#include "app/viewer_numbers.h"
#include "bench/csvview_copy_bench.h"
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

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <csvview.exe> [copy] [rows]\n", argv[0]);
    return 2;
  }
  std::string exePath = RemotePathFromArgument(argv[1]);
  std::string csvPath = GeneratedCsvTempPath("csvview-load-bench.csv");
  bool copy = argc > 2 && std::string(argv[2]) == "copy";
  int32_t rows = argc > 2 + copy ? std::atoi(argv[2 + copy]) : 1000000;
  if (rows <= 0 || !GeneratedCsvWrite(csvPath, rows)) {
    std::fprintf(stderr, "cannot write %s\n", csvPath.c_str());
    return 1;
  }
  std::printf("rows: %ld, file: %s\n", static_cast<long>(rows), csvPath.c_str());
  std::fflush(stdout);
  if (copy) {
    int result = CsvviewCopyBench(exePath, csvPath, rows);
    DeleteFileA(csvPath.c_str());
    ExitProcess(static_cast<UINT>(result));
  }
  double baseline = BenchBaseline(rows);
  std::printf("baseline, raw list-view appends with redraw off: %.3f s (%.2f us a row)\n", baseline,
              baseline * 1e6 / rows);
  std::fflush(stdout);
  double viewer = BenchViewer(exePath, csvPath, rows);
  DeleteFileA(csvPath.c_str());
  std::printf("viewer, Open press to count message: %.3f s (%.2f us a row)\n", viewer, viewer * 1e6 / rows);
  if (baseline <= 0 || viewer <= 0) {
    std::printf("a measurement failed\n");
    return 1;
  }
  std::printf("ratio viewer / baseline: %.2f (goal: at most 1.5)\n", viewer / baseline);
  std::fflush(stdout);
  // The baseline's list is not destroyed: that alone takes minutes.
  ExitProcess(0);
}
