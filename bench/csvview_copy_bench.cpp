// Timed from this process with real key presses: the load from the dialog's
// Open press to the count message; Ctrl+A until the list reports every row
// selected; Ctrl+C until the clipboard has changed and the viewer has closed
// it again, so that it holds the rows. The copy is then checked whole: its
// CF_TEXT is exactly as long as the file, since a generated row's three
// commas become TABs and its CR LF stays.
#include "bench/csvview_copy_bench.h"

#include <cstdio>
#include <windows.h>
#include <commctrl.h>

#include "app/viewer_numbers.h"
#include "bench/generated_csv.h"
#include "tools/driver/remote_viewer.h"

namespace {

const DWORD COPY_BENCH_WAIT_MS = 3600 * 1000;

// Seconds from the dialog's Open press to the count message, which is then
// confirmed; -1 when the viewer did not show every row.
double CopyBenchLoad(const RemoteViewer *viewer, const std::string &csvPath, int32_t rows) {
  RemoteClick(RemoteViewerGadget(viewer, GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(viewer, REMOTE_DIALOG_FILE, 30000);
  if (!dialog) {
    return -1;
  }
  RemoteSetText(GetDlgItem(dialog, 0x47C), csvPath);
  double start = BenchSeconds();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  HWND box = RemoteViewerWaitDialog(viewer, REMOTE_DIALOG_MESSAGE, COPY_BENCH_WAIT_MS);
  double seconds = BenchSeconds() - start;
  std::string message = box ? RemoteMessageText(box) : std::string("(no message)");
  std::printf("viewer message: %s\n", message.c_str());
  if (box) {
    RemoteMessageConfirm(box);
    RemoteViewerWaitDialogGone(viewer, REMOTE_DIALOG_MESSAGE, 30000);
  }
  return message == std::to_string(rows) + " Zeilen gelesen !" ? seconds : -1;
}

double CopyBenchSelectAll(const RemoteViewer *viewer, HWND list, int32_t rows) {
  double start = BenchSeconds();
  if (!RemoteKeyPress(viewer, list, 'A', true)) {
    return -1;
  }
  while (SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) != rows) {
    if (BenchSeconds() - start > COPY_BENCH_WAIT_MS / 1000) {
      return -1;
    }
    Sleep(1);
  }
  return BenchSeconds() - start;
}

double CopyBenchCopy(const RemoteViewer *viewer, HWND list, size_t expectedBytes) {
  DWORD sequence = GetClipboardSequenceNumber();
  double start = BenchSeconds();
  if (!RemoteKeyPress(viewer, list, 'C', true) || !RemoteClipboardWaitChange(sequence, COPY_BENCH_WAIT_MS)) {
    return -1;
  }
  double seconds = BenchSeconds() - start;
  std::string bytes;
  std::wstring wide;
  RemoteClipboardRead(&bytes, &wide);
  std::printf("clipboard: %lu bytes of CF_TEXT, %lu units of CF_UNICODETEXT (expected %lu each)\n",
              static_cast<unsigned long>(bytes.size()), static_cast<unsigned long>(wide.size()),
              static_cast<unsigned long>(expectedBytes));
  return bytes.size() == expectedBytes && wide.size() == expectedBytes ? seconds : -1;
}

} // namespace

int CsvviewCopyBench(const std::string &exePath, const std::string &csvPath, int32_t rows) {
  size_t fileBytes = static_cast<size_t>(GeneratedCsvMegabytes(csvPath) * 1024.0 * 1024.0 + 0.5);
  RemoteViewer viewer;
  if (!RemoteViewerStart(&viewer, exePath, 30000)) {
    std::fprintf(stderr, "the viewer did not start\n");
    return 1;
  }
  HWND list = RemoteViewerGadget(&viewer, GADGET_LIST);
  double load = CopyBenchLoad(&viewer, csvPath, rows);
  std::printf("load, Open press to count message: %.3f s\n", load);
  std::fflush(stdout);
  double selectAll = load > 0 ? CopyBenchSelectAll(&viewer, list, rows) : -1;
  std::printf("select all, Ctrl+A to every row selected: %.3f s (%.2f us a row)\n", selectAll, selectAll * 1e6 / rows);
  std::fflush(stdout);
  double copy = selectAll > 0 ? CopyBenchCopy(&viewer, list, fileBytes) : -1;
  std::printf("copy, Ctrl+C to the clipboard holding the rows: %.3f s (%.2f us a row)\n", copy, copy * 1e6 / rows);
  RemoteViewerRelease(&viewer);
  if (load <= 0 || selectAll <= 0 || copy <= 0) {
    std::printf("a measurement failed\n");
    return 1;
  }
  std::printf("ratio copy / load: %.3f (goal: at most 0.1)\n", copy / load);
  std::fflush(stdout);
  return 0;
}
