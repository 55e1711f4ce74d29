// The viewer's known limits on the platform it runs on, measured with the
// generated four-field files of bench/generated_csv.h:
//
//   csvview_limits_bench <csvview.exe> largest <rows>
//     The largest file the viewer loads whole. A file of <rows> rows, more
//     than the viewer can take, must end with the short-of-memory message;
//     then a file of the count that message gave is loaded, and of each
//     smaller count reported, until one loads whole (where the list runs out
//     varies a little from run to run). Each load prints the viewer's
//     message, the file's size and the viewer's peak memory.
//   csvview_limits_bench <csvview.exe> teardown <rows>
//     After a load of <rows> rows: the seconds from the "Ende" press to the
//     process's end, and, in a second viewer, the seconds from the Open press
//     of the next "Start" (a file of one row) to its message, which is the
//     time the big list takes to empty.
//
// A viewer still holding a big list is ended without its shutdown.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <windows.h>
#include <psapi.h>

#include "app/viewer_numbers.h"
#include "bench/generated_csv.h"
#include "tools/driver/remote_viewer.h"

namespace {

const DWORD LIMITS_WAIT_MS = 3600 * 1000;
const DWORD LIMITS_START_MS = 30000;
const int32_t LIMITS_MAX_TRIES = 5;

std::string CountMessage(int32_t rows) {
  return std::to_string(rows) + " Zeilen gelesen !";
}

// The first number in the viewer's message: the rows the list holds.
int32_t RowsShown(const std::string &message) {
  size_t digit = message.find_first_of("0123456789");
  return digit == std::string::npos ? -1 : std::atoi(message.c_str() + digit);
}

double PeakMegabytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    return 0;
  }
  return static_cast<double>(counters.PeakPagefileUsage) / (1024.0 * 1024.0);
}

// Loads a file of the rows in a fresh viewer; its message, empty when none
// came (the viewer ended or hung).
std::string LargestLoad(const std::string &exePath, const std::string &csvPath, int32_t rows) {
  if (!GeneratedCsvWrite(csvPath, rows)) {
    return std::string();
  }
  double megabytes = GeneratedCsvMegabytes(csvPath);
  RemoteViewer viewer;
  std::string message;
  double peak = 0;
  if (RemoteViewerStart(&viewer, exePath, LIMITS_START_MS)) {
    message = RemoteViewerLoad(&viewer, csvPath, LIMITS_WAIT_MS);
    peak = PeakMegabytes(viewer.process.hProcess);
  }
  std::string ending = RemoteViewerWaitExit(&viewer, 0) == STILL_ACTIVE ? "running" : "ended";
  RemoteViewerRelease(&viewer);
  DeleteFileA(csvPath.c_str());
  std::printf("%ld rows, %.1f MB: \"%s\", viewer peak %.0f MB, viewer %s\n", static_cast<long>(rows), megabytes,
              message.empty() ? "(no message)" : message.c_str(), peak, ending.c_str());
  std::fflush(stdout);
  return message;
}

int LargestMain(const std::string &exePath, const std::string &csvPath, int32_t rows) {
  std::string message = LargestLoad(exePath, csvPath, rows);
  for (int32_t tries = 0; tries < LIMITS_MAX_TRIES; tries++) {
    int32_t taken = RowsShown(message);
    if (message == CountMessage(rows)) {
      std::printf("largest file loaded whole: %ld rows\n", static_cast<long>(rows));
      return tries == 0 ? 1 : 0; // the first file was meant to be too big
    }
    if (taken <= 0 || taken >= rows) {
      break;
    }
    rows = taken;
    message = LargestLoad(exePath, csvPath, rows);
  }
  std::printf("no file loaded whole\n");
  return 1;
}

// A viewer with the rows loaded, or 0 (and a word why).
int32_t TeardownViewerLoaded(RemoteViewer *viewer, const std::string &exePath, const std::string &csvPath,
                             int32_t rows) {
  if (!RemoteViewerStart(viewer, exePath, LIMITS_START_MS)) {
    std::printf("the viewer did not start\n");
    return 0;
  }
  std::string message = RemoteViewerLoad(viewer, csvPath, LIMITS_WAIT_MS);
  if (message != CountMessage(rows)) {
    std::printf("the load ended with \"%s\"\n", message.c_str());
    return 0;
  }
  return 1;
}

// Seconds from the "Ende" press to the process's end; -1 on failure.
double TeardownEnd(const std::string &exePath, const std::string &csvPath, int32_t rows) {
  RemoteViewer viewer;
  double seconds = -1;
  if (TeardownViewerLoaded(&viewer, exePath, csvPath, rows)) {
    RemoteClick(RemoteViewerGadget(&viewer, GADGET_END));
    double start = BenchSeconds();
    if (RemoteViewerWaitExit(&viewer, LIMITS_WAIT_MS) == 0) {
      seconds = BenchSeconds() - start;
    }
  }
  RemoteViewerRelease(&viewer);
  return seconds;
}

// Seconds from the Open press of the next "Start" to its message; -1 on failure.
double TeardownReload(const std::string &exePath, const std::string &csvPath, int32_t rows) {
  std::string smallPath = csvPath + ".one-row.csv";
  RemoteViewer viewer;
  double seconds = -1;
  if (GeneratedCsvWrite(smallPath, 1) && TeardownViewerLoaded(&viewer, exePath, csvPath, rows)) {
    RemoteClick(RemoteViewerGadget(&viewer, GADGET_START));
    HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, LIMITS_START_MS);
    if (dialog) {
      RemoteFileDialogChoose(dialog, smallPath);
      double start = BenchSeconds();
      RemoteWindowWaitHidden(dialog, LIMITS_WAIT_MS);
      HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, LIMITS_WAIT_MS);
      if (box && RemoteMessageText(box) == CountMessage(1)) {
        seconds = BenchSeconds() - start;
      }
    }
  }
  RemoteViewerRelease(&viewer);
  DeleteFileA(smallPath.c_str());
  return seconds;
}

int TeardownMain(const std::string &exePath, const std::string &csvPath, int32_t rows) {
  if (!GeneratedCsvWrite(csvPath, rows)) {
    std::printf("cannot write %s\n", csvPath.c_str());
    return 1;
  }
  std::printf("%ld rows, %.1f MB\n", static_cast<long>(rows), GeneratedCsvMegabytes(csvPath));
  std::fflush(stdout);
  double ending = TeardownEnd(exePath, csvPath, rows);
  std::printf("\"Ende\" to the process's end: %.2f s\n", ending);
  std::fflush(stdout);
  double reload = TeardownReload(exePath, csvPath, rows);
  std::printf("next \"Start\", Open press to its message (the list emptied): %.2f s\n", reload);
  DeleteFileA(csvPath.c_str());
  return ending < 0 || reload < 0 ? 1 : 0;
}

} // namespace

int main(int argc, char **argv) {
  std::string mode = argc > 2 ? argv[2] : "";
  int32_t rows = argc > 3 ? std::atoi(argv[3]) : 0;
  if (rows <= 0 || (mode != "largest" && mode != "teardown")) {
    std::fprintf(stderr, "usage: %s <csvview.exe> largest|teardown <rows>\n", argv[0]);
    return 2;
  }
  std::string exePath = RemotePathFromArgument(argv[1]);
  std::string csvPath = GeneratedCsvTempPath("csvview-limits-bench.csv");
  return mode == "largest" ? LargestMain(exePath, csvPath, rows) : TeardownMain(exePath, csvPath, rows);
}
