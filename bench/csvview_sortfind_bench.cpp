// Each step is timed from the click or key to its end as the user sees it:
// the header's arrow changed, the title back to empty after Esc, the message
// or the found row focused; the window is asked WM_NULL every 50 ms meanwhile
// and the longest answer is kept.
#include "bench/csvview_sortfind_bench.h"

#include <algorithm>
#include <cstdio>
#include <windows.h>
#include <commctrl.h>

#include "app/viewer_numbers.h"
#include "bench/generated_csv.h"
#include "tools/driver/remote_viewer.h"

namespace {
// Far more than any step of a million rows takes.
const DWORD SORTFIND_WAIT_MS = 300 * 1000;

struct StepFigures {
  double seconds;
  int32_t longestProbeMs;
};

typedef bool (*StepDone)(const RemoteViewer *viewer, HWND list, int32_t value);

// Polls until done says so, probing the window; seconds -1 on timeout.
StepFigures StepWatch(const RemoteViewer *viewer, HWND list, double start, StepDone done, int32_t value) {
  StepFigures figures = {-1, 0};
  for (double now = start; now - start < SORTFIND_WAIT_MS / 1000.0; now = BenchSeconds()) {
    if (done(viewer, list, value)) {
      // Done may wait for the viewer's answer itself.
      figures.seconds = BenchSeconds() - start;
      return figures;
    }
    figures.longestProbeMs = std::max(figures.longestProbeMs, RemoteWindowProbe(viewer->window, SORTFIND_WAIT_MS));
    Sleep(50);
  }
  return figures;
}

bool ArrowIs(const RemoteViewer *viewer, HWND list, int32_t arrowAndColumn) {
  return RemoteListSortArrow(viewer, list, arrowAndColumn / 10) == arrowAndColumn % 10 - 1;
}

bool TitleEmpty(const RemoteViewer *viewer, HWND, int32_t) {
  return RemoteWindowText(viewer->window).empty();
}

// The message confirmed (value -1), or the row focused.
bool FindEnded(const RemoteViewer *viewer, HWND list, int32_t row) {
  HWND box = RemoteViewerDialog(viewer, REMOTE_DIALOG_MESSAGE);
  if (box && row == -1) {
    RemoteMessageConfirm(box);
    return true;
  }
  return row >= 0 && SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) == row;
}

StepFigures SortClick(const RemoteViewer *viewer, HWND list, int32_t column, int32_t arrow) {
  double start = BenchSeconds();
  RemoteListHeaderClick(viewer, list, column);
  return StepWatch(viewer, list, start, ArrowIs, column * 10 + arrow + 1);
}

void StepPrint(const char *what, const StepFigures &figures, double load, double goal) {
  std::printf("%s: %.3f s, %.2f of the load (goal: at most %.2f), longest WM_NULL answer %ld ms (goal: at most 250)\n",
              what, figures.seconds, figures.seconds / load, goal, static_cast<long>(figures.longestProbeMs));
  std::fflush(stdout);
}

StepFigures FindIn(const RemoteViewer *viewer, HWND list, HWND dialog, const wchar_t *text, int32_t row) {
  double start = BenchSeconds();
  RemoteFindDialogSearch(dialog, text, false, true);
  return StepWatch(viewer, list, start, FindEnded, row);
}
} // namespace

int CsvviewSortFindBench(const std::string &exePath, const std::string &csvPath, int32_t rows) {
  RemoteViewer viewer;
  if (!RemoteViewerStart(&viewer, exePath, 30000)) {
    std::fprintf(stderr, "the viewer did not start\n");
    return 1;
  }
  HWND list = RemoteViewerGadget(&viewer, GADGET_LIST);
  double start = BenchSeconds();
  std::string message = RemoteViewerLoad(&viewer, csvPath, SORTFIND_WAIT_MS);
  double load = BenchSeconds() - start;
  std::printf("load, Start press to the count message: %.3f s (%s)\n", load, message.c_str());
  std::fflush(stdout);
  bool good = message == std::to_string(rows) + " Zeilen gelesen !";
  const struct {
    int32_t column;
    int32_t arrow;
    const char *what;
  } clicks[] = {
      {1, 1, "sort up by the text column"},      {1, -1, "sort down by it"},
      {1, 0, "back to the file's order"},        {2, 1, "sort up by the number column (already in order)"},
      {2, -1, "sort down by the number column"}, {2, 0, "back to the file's order"},
  };
  for (const auto &click : clicks) {
    StepFigures figures = SortClick(&viewer, list, click.column, click.arrow);
    StepPrint(click.what, figures, load, 1.25);
    good = good && figures.seconds > 0;
  }

  RemoteListHeaderClick(&viewer, list, 1);
  if (RemoteWindowWaitTitle(viewer.window, 30000).empty()) {
    std::printf("the sort ended before its title showed: no Esc measured\n");
  }
  start = BenchSeconds();
  RemoteViewerKeyPost(&viewer, VK_ESCAPE);
  StepFigures stop = StepWatch(&viewer, list, start, TitleEmpty, 0);
  bool restored = RemoteListSortArrow(&viewer, list, 1) == 0 && RemoteListCell(&viewer, list, 1, 0) == "1" &&
                  RemoteListCell(&viewer, list, rows - 1, 0) == std::to_string(rows - 1);
  std::printf("Esc as the sort shows its title to the rows back: %.0f ms (goal: at most 1000), rows %s\n",
              stop.seconds * 1000, restored ? "in their order" : "NOT IN THEIR ORDER");
  good = good && restored;

  if (!RemoteKeyPress(&viewer, list, 'F', true)) {
    std::printf("no key press\n");
    return 1;
  }
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FIND, 30000);
  StepFigures none = FindIn(&viewer, list, dialog, L"nirgends", -1);
  StepPrint("find a text that is nowhere, to the message", none, load, 0.15);
  std::wstring last = std::to_wstring(static_cast<int64_t>(rows - 1) * 7) + L".25";
  StepFigures found = FindIn(&viewer, list, dialog, last.c_str(), rows - 1);
  StepPrint("find the last row from the first", found, load, 0.15);
  good = good && none.seconds > 0 && found.seconds > 0;
  RemoteViewerRelease(&viewer);
  return good ? 0 : 1;
}
