// Reading a CSV file into the list: one row per non-empty line, the separator
// turned into the line feed that breaks a row text into columns.
#include "app/csv_loader.h"

#include "app/app_state.h"
#include "app/loader_calls.h"
#include "app/viewer_numbers.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"
#include "toolkit/strings/string_functions.h"

static const char ROW_COLUMN_BREAK[] = "\n";
static const char ERROR_TITLE[] = "Fehler !";

// The row count message, after the lead text, is built in the scratch buffer
// and kept there, one byte past its NUL, so string work while the message box
// is open lands behind it.
static void LoadCsvReportCount(const char *title, const char *lead) {
  int32_t pos = ScratchPos;
  StrAppendScratch(lead);
  StrFromInt(GadgetItemsCount(GADGET_LIST), ScratchPos);
  StrAppendScratch(" Zeilen gelesen !");
  ScratchPos = ScratchPos + 1;
  ShowMessage(title, ScratchAt(pos), 0);
  ScratchPos = pos;
}

// How a read of the file ended.
enum LoadEnd : int32_t { LOAD_END_WHOLE, LOAD_END_LIST_FULL, LOAD_END_STOPPED, LOAD_END_QUIT };

// Reads the open file to its end, unless the user stops the load; stops as
// soon as the list refuses a row, so that the rows shown are never silently
// fewer than the file's.
static LoadEnd LoadCsvRows(const char *separator) {
  int32_t rows = 0;
  int32_t step = LOAD_GO_ON;
  // At least one read, so that an empty file is read to its end as well.
  do {
    int32_t pos = ScratchPos;
    FileReadLine(FILE_CSV, pos);
    StrTakeScratch(&LineText, pos);
    if (!StrEqual(LineText, "")) {
      StrReplace(LineText, separator, ROW_COLUMN_BREAK, pos);
      StrTakeScratch(&RowText, pos);
      if (GadgetItemAdd(GADGET_LIST, -1, RowText) == 0) {
        return LOAD_END_LIST_FULL;
      }
      rows++;
    }
    // A stop asked for with the last line read changes nothing.
    if (FileAtEnd(FILE_CSV) != 0) {
      return LOAD_END_WHOLE;
    }
    step = LoadProgressStep(rows);
  } while (step == LOAD_GO_ON);
  return step == LOAD_QUIT_ASKED ? LOAD_END_QUIT : LOAD_END_STOPPED;
}

// A wide name, when given, is opened instead of the 8-bit path.
static HANDLE LoadCsvOpen(const char *path, const wchar_t *widePath) {
  return widePath ? FileOpenWide(FILE_CSV, widePath) : FileOpen(FILE_CSV, path);
}

void LoadCsvFile(const char *path, const char *separator, const wchar_t *widePath) {
  // The arguments are passed by value: the caller's texts may be reassigned
  // or may lie in the scratch buffer, which moves while lines are read.
  StringVar pathCopy = nullptr;
  StringVar separatorCopy = nullptr;
  StrInit(&pathCopy, path);
  StrInit(&separatorCopy, separator);

  LoadProgressBegin();
  // Emptied before the open, so a file that cannot be opened leaves no rows.
  GadgetItemsClear(GADGET_LIST);
  if (LoadCsvOpen(pathCopy, widePath) == nullptr) {
    LoadProgressEnd();
    ShowMessage(ERROR_TITLE, "Datei nicht lesbar !", 0);
  } else {
    LoadEnd end = LoadCsvRows(separatorCopy);
    FileClose(FILE_CSV);
    LoadProgressEnd();
    if (end == LOAD_END_WHOLE) {
      LoadCsvReportCount("Anzahl Zeilen", "");
    } else if (end == LOAD_END_LIST_FULL) {
      LoadCsvReportCount(ERROR_TITLE, "Zu wenig Speicher - nur ");
    } else if (end == LOAD_END_STOPPED) {
      LoadCsvReportCount("Anzahl Zeilen", "Abgebrochen - nur ");
    }
    // Stopped by the close box or "Ende": the program ends without a word.
  }
  StrFree(pathCopy);
  StrFree(separatorCopy);
}
