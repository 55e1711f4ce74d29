// Keeping the window alive during a load. Every 100 ms the load lets the
// window handle its messages (EventPump), so it repaints, answers the
// system's probes and can be moved. The list shows its first rows at the
// first such pass; then it is kept held, since a repaint of it costs about as
// much as 2,000 rows, and shows the rows read every two seconds.
//
// Nothing the main loop acts on is handled here: a close or "Ende" only
// stops the load and stays queued for the loop, which then ends the program;
// "Start", F5 and Enter in the separator field are dropped, so no second
// load begins inside this one; a dropped file and a header click are
// dropped too. Typing in the separator field goes on as usual and changes
// only the next load, which reads the field anew. Only a fresh Esc stops
// the load: one held since before it stops nothing, and its repeats, like
// those of the Esc that stopped it, are used up, so that they do not close
// the message after it.
//
// A load shorter than one interval handles no message and shows nothing but
// the wait cursor; one shorter than the title delay leaves the title alone,
// and a longer one gives it back as it was.
#include "app/load_progress.h"

#include <windows.h>

#include "app/viewer_numbers.h"
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_cells.h"
#include "toolkit/strings/string_engine.h"
#include "toolkit/strings/string_functions.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/event_pump.h"
#include "toolkit/windows/key_repeats.h"
#include "toolkit/windows/window_busy_cursor.h"
#include "toolkit/windows/window_title.h"

namespace {
const DWORD LOAD_PUMP_INTERVAL_MS = 100;
const DWORD LOAD_PUMP_BUDGET_MS = 20;
const DWORD LOAD_TITLE_DELAY_MS = 500;
const DWORD LOAD_TITLE_INTERVAL_MS = 250;
const DWORD LOAD_ROWS_INTERVAL_MS = 2000;
// More rows than the list shows at once. Once it has shown that many it
// stays held: the rows in view no longer change, it still paints them when
// uncovered, and each repaint costs tens of milliseconds under Wine.
const int32_t LOAD_SCREENFUL_ROWS = 64;
// Lines between two looks at the clock: a few milliseconds of loading.
const int32_t LOAD_LINES_PER_CLOCK = 256;

struct LoadProgressState {
  DWORD start;
  DWORD lastPump;
  DWORD lastTitle;
  DWORD lastRows; // 0 until the list first showed its rows
  int32_t rowsShown;
  int32_t linesToClock;
  int32_t titleShown;
  const char *workTitle; // null during a load
};
LoadProgressState Progress;

// What would begin another load. The separator field's events go as a
// whole: the loop acts on none of them but Enter, and the filter is told
// only the gadget.
int32_t LoadEventKeep(int32_t code, int32_t gadget) {
  // Shortcuts and Find Next wait for the work's end no more than "Start" does.
  bool loads = (code == EVENT_GADGET && (gadget == GADGET_START || gadget == GADGET_SEPARATOR_FIELD)) ||
               code == EVENT_MENU || code == EVENT_FIND || code == EVENT_DROP_FILE;
  return !loads;
}

// Kept for the loop, which then ends the program.
int32_t LoadEventEndsProgram(int32_t code, int32_t gadget) {
  return code == EVENT_CLOSE_WINDOW || (code == EVENT_GADGET && gadget == GADGET_END);
}

void LoadProgressTitle(int32_t rows) {
  if (!Progress.titleShown) {
    WindowTitleKeep(WINDOW_MAIN);
  }
  int32_t pos = ScratchPos;
  if (Progress.workTitle) {
    StrAppendScratch(Progress.workTitle);
  } else {
    StrFromInt(rows, pos);
    StrAppendScratch(" Zeilen \x85");
  }
  WindowTitleSet(WINDOW_MAIN, ScratchAt(pos));
  ScratchSetPos(pos);
  Progress.titleShown = 1;
}
} // namespace

void LoadProgressBegin() {
  Progress = LoadProgressState();
  Progress.start = GetTickCount();
  Progress.lastPump = Progress.start;
  Progress.linesToClock = LOAD_LINES_PER_CLOCK;
  // An Esc held down as the load begins.
  if (GetKeyState(VK_ESCAPE) < 0) {
    KeyRepeatsUseUp(VK_ESCAPE);
  }
  WindowBusyCursorSet(1);
}

static int32_t LoadProgressPump(int32_t rows) {
  DWORD now = GetTickCount();
  if (now - Progress.lastPump < LOAD_PUMP_INTERVAL_MS) {
    return LOAD_GO_ON;
  }
  Progress.lastPump = now;
  if (now - Progress.start >= LOAD_TITLE_DELAY_MS && now - Progress.lastTitle >= LOAD_TITLE_INTERVAL_MS) {
    Progress.lastTitle = now;
    LoadProgressTitle(rows);
  }
  bool showRows = Progress.workTitle == nullptr &&
                  (Progress.lastRows == 0 ||
                   (Progress.rowsShown < LOAD_SCREENFUL_ROWS && now - Progress.lastRows >= LOAD_ROWS_INTERVAL_MS));
  if (showRows) {
    Progress.lastRows = now;
    Progress.rowsShown = rows;
    ListViewRedrawKeepHeld(GADGET_LIST, 0);
  }
  int32_t stopKey = EventPump(VK_ESCAPE, LoadEventKeep, LOAD_PUMP_BUDGET_MS);
  if (showRows) {
    ListViewRedrawKeepHeld(GADGET_LIST, 1);
  }
  if (EventQueueHolds(LoadEventEndsProgram)) {
    return LOAD_QUIT_ASKED;
  }
  return stopKey ? LOAD_STOP_ASKED : LOAD_GO_ON;
}

int32_t LoadProgressStep(int32_t rows) {
  if (--Progress.linesToClock > 0) {
    return LOAD_GO_ON;
  }
  Progress.linesToClock = LOAD_LINES_PER_CLOCK;
  return LoadProgressPump(rows);
}

void LoadProgressBeginWork(const char *title) {
  LoadProgressBegin();
  Progress.workTitle = title;
  ListViewRedrawKeepHeld(GADGET_LIST, 1);
}

int32_t LoadProgressCheck() {
  return LoadProgressPump(0);
}

void LoadProgressEnd() {
  ListViewRedrawKeepHeld(GADGET_LIST, 0);
  // A header click that came meanwhile waits no more than "Start" does.
  ListViewColumnClickTake(GADGET_LIST);
  if (Progress.titleShown) {
    WindowTitleRestore(WINDOW_MAIN);
  }
  WindowBusyCursorSet(0);
}
