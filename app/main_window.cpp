// The viewer's window and event loop: "Start" asks for a CSV file and loads
// it with the typed separator, "Ende" or the close box ends the program. A
// file named on the command line or dropped on the window loads the same way;
// F5, or Enter in the separator field, loads the last file again.
#include <windows.h>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/csv_loader.h"
#include "app/separator_guess.h"
#include "app/list_find.h"
#include "app/list_sort.h"
#include "app/storage_message.h"
#include "app/viewer_list.h"
#include "app/viewer_numbers.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/list_view_cells.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/requesters/requester_calls.h"
#include "toolkit/startup/program_entry.h"
#include "toolkit/strings/string_engine.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/key_repeats.h"
#include "toolkit/windows/window.h"
#include "toolkit/windows/window_drop.h"
#include "toolkit/windows/window_shortcuts.h"

// Title bar, system menu, centred on the screen.
static const uint32_t MAIN_WINDOW_FLAGS = WINDOW_FLAG_SCREEN_CENTERED | WS_CAPTION | WS_SYSMENU;
static_assert(MAIN_WINDOW_FLAGS == 0xC80001, "the main window's flags");
static const char SEPARATOR_PRESET[] = ",";

// Returns 0 when the window cannot be opened; nothing else is checked.
static int32_t MainWindowOpen() {
  if (WindowOpen(WINDOW_MAIN, 100, 100, 500, 400, "", MAIN_WINDOW_FLAGS) == 0) {
    return 0;
  }
  ViewerListCreate(GADGET_LIST);
  ButtonCreate(GADGET_START, 5, 310, 60, 20, "Start");
  ButtonCreate(GADGET_END, 160, 310, 60, 20, "Ende");
  LabelCreate(GADGET_SEPARATOR_LABEL, 5, 340, 100, 20, "Feldtrenner (, ;)");
  TextFieldCreate(GADGET_SEPARATOR_FIELD, 105, 340, 40, 20, SEPARATOR_PRESET);
  WindowShortcutAdd(WINDOW_MAIN, 0, VK_F5, SHORTCUT_RELOAD);
  return 1;
}

// The separator is read from the field at each load; an empty one loads
// nothing and says nothing.
static void MainLoadWithFieldSeparator(const char *path, const wchar_t *widePath) {
  int32_t pos = ScratchPos;
  GadgetTextGet(GADGET_SEPARATOR_FIELD, pos);
  StrTakeScratch(&Separator, pos);
  if (StrEqual(Separator, "")) {
    return;
  }
  LastLoadPathSet(widePath);
  ListSortForget();
  LoadCsvFile(path, Separator, widePath);
  // A header click during the load waits no more than "Start" does.
  ListViewColumnClickTake(GADGET_LIST);
}

// A file opened from the desktop has its separator guessed and put into the
// field, as /sep: puts its text there, so the user sees what is used.
static void MainSeparatorGuess(const wchar_t *widePath) {
  int32_t pos = ScratchPos;
  SeparatorGuess(nullptr, widePath, pos);
  StrTakeScratch(&Separator, pos);
  if (!StrEqual(Separator, SEPARATOR_PRESET)) {
    GadgetTextSet(GADGET_SEPARATOR_FIELD, Separator);
  }
}

// Only a field still holding the preset is guessed into: a typed separator
// is the user's.
static void MainDropAction(const wchar_t *widePath) {
  int32_t pos = ScratchPos;
  GadgetTextGet(GADGET_SEPARATOR_FIELD, pos);
  StrTakeScratch(&Separator, pos);
  if (StrEqual(Separator, SEPARATOR_PRESET)) {
    MainSeparatorGuess(widePath);
  }
  MainLoadWithFieldSeparator(nullptr, widePath);
}

// The key's repeats are used up, so that a held key loads once and leaves
// the message after the load open.
static void MainReloadAction(WPARAM key) {
  if (LastLoadPath == nullptr) {
    return;
  }
  KeyRepeatsUseUp(key);
  MainLoadWithFieldSeparator(nullptr, LastLoadPath);
}

static void MainStartAction() {
  int32_t pos = ScratchPos;
  AskOpenFileName("Datei \xF6"
                  "ffnnen",
                  "C:\\meinecvs.csv", "Csv (*.csv)|*.csv", 0, pos);
  StrTakeScratch(&SourcePath, pos);
  if (StrEqual(SourcePath, "")) {
    ShowMessage("Fehler !",
                "Kein Quell - Ordner gew\xE4"
                "hlt !",
                0);
    return;
  }
  MainLoadWithFieldSeparator(SourcePath, AskOpenFileNameWide());
}

// /sep: is typed into the field before the named file loads with it;
// without it the separator is guessed from the file.
static void MainCommandLineAction() {
  CommandLine line;
  CommandLineRead(&line);
  if (line.separator) {
    int32_t pos = ScratchPos;
    CommandLineSeparatorText(&line, pos);
    StrTakeScratch(&Separator, pos);
    GadgetTextSet(GADGET_SEPARATOR_FIELD, Separator);
  } else if (line.file) {
    MainSeparatorGuess(line.file);
  }
  if (line.file) {
    MainLoadWithFieldSeparator(nullptr, line.file);
  }
  CommandLineFree(&line);
}

static void ApplicationMain() {
  if (MainWindowOpen() == 0) {
    return;
  }
  QuitRequested = 0;
  StrAssign(&Separator, SEPARATOR_PRESET);
  WindowAcceptDrops(WINDOW_MAIN);
  ListFindShortcutsAdd();
  MainCommandLineAction();
  do {
    LastEvent = EventWait();
    if (LastEvent == EVENT_GADGET && EventGadgetId() == GADGET_START) {
      MainStartAction();
    }
    if (LastEvent == EVENT_DROP_FILE) {
      MainDropAction(EventDroppedFile());
    }
    if (LastEvent == EVENT_MENU && EventGadgetId() == SHORTCUT_RELOAD) {
      MainReloadAction(VK_F5);
    }
    if (LastEvent == EVENT_GADGET && EventGadgetId() == GADGET_SEPARATOR_FIELD &&
        EventGadgetType() == GADGET_EVENT_ENTER) {
      MainReloadAction(VK_RETURN);
    }
    // Checked on its own after the Start action, with a fresh gadget number.
    if (LastEvent == EVENT_GADGET && EventGadgetId() == GADGET_END) {
      QuitRequested = 1;
    }
    if (LastEvent == EVENT_GADGET && EventGadgetId() == GADGET_LIST && EventGadgetType() == GADGET_EVENT_COPY_FAILED) {
      OutOfMemoryMessage();
    }
    if (LastEvent == EVENT_GADGET && EventGadgetId() == GADGET_LIST &&
        EventGadgetType() == GADGET_EVENT_CLIPBOARD_BUSY) {
      ShowMessage("Fehler !", "Zwischenablage belegt !", 0);
    }
    if (LastEvent == EVENT_GADGET && EventGadgetId() == GADGET_LIST && EventGadgetType() == GADGET_EVENT_COLUMN_CLICK) {
      int32_t column = ListViewColumnClickTake(GADGET_LIST);
      if (column != -1) {
        ListSortClick(column);
      }
    }
    if (LastEvent == EVENT_MENU) {
      ListFindShortcut(EventGadgetId());
    }
    if (LastEvent == EVENT_FIND) {
      ListFindNext();
    }
  } while (LastEvent != EVENT_CLOSE_WINDOW && QuitRequested != 1);
  // The window and its gadgets are left to the toolkit's shutdown.
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ProgramEntry(ApplicationMain, StorageExhaustedMessage);
}
