// Reading a CSV file into the list: one row per non-empty line, the separator
// turned into the line feed that breaks a row text into columns.
#include "app/csv_loader.h"

#include "app/app_state.h"
#include "app/csv_lines.h"
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

// A decoded line's working texts: the separator as characters, the line and
// its row.
struct LoadWide {
  WideText separator;
  WideText line;
  WideText row;
};

// The next line into the list: 1 when it went in as a row, 0 for an empty
// line, -1 when the list refused it. A line of code page 1252 goes in as its
// bytes, as it always did; a decoded one as characters.
static int32_t LoadCsvRowAdd(FileText text, const char *separator, LoadWide *wide) {
  int32_t pos = ScratchPos;
  if (CsvLineRead(text, &wide->line)) {
    if (wide->line.length == 0) {
      return 0;
    }
    WideReplaceByLineFeed(&wide->line, &wide->separator, &wide->row);
    return GadgetItemAddWide(GADGET_LIST, -1, wide->row.units) == 0 ? -1 : 1;
  }
  if (StrEqual(LineText, "")) {
    return 0;
  }
  StrReplace(LineText, separator, ROW_COLUMN_BREAK, pos);
  StrTakeScratch(&RowText, pos);
  return GadgetItemAdd(GADGET_LIST, -1, RowText) == 0 ? -1 : 1;
}

// Reads the open file to its end, unless the user stops the load; stops as
// soon as the list refuses a row, so that the rows shown are never silently
// fewer than the file's.
static LoadEnd LoadCsvRows(FileText text, const char *separator, LoadWide *wide) {
  int32_t rows = 0;
  int32_t step = LOAD_GO_ON;
  // At least one read, so that an empty file is read to its end as well.
  do {
    int32_t added = LoadCsvRowAdd(text, separator, wide);
    if (added < 0) {
      return LOAD_END_LIST_FULL;
    }
    rows += added;
    // A stop asked for with the last line read changes nothing.
    if (FileAtEnd(FILE_CSV) != 0) {
      return LOAD_END_WHOLE;
    }
    step = LoadProgressStep(rows);
  } while (step == LOAD_GO_ON);
  return step == LOAD_QUIT_ASKED ? LOAD_END_QUIT : LOAD_END_STOPPED;
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
  FileText text;
  if (!CsvFileOpen(pathCopy, widePath, &text)) {
    LoadProgressEnd();
    ShowMessage(ERROR_TITLE, "Datei nicht lesbar !", 0);
  } else {
    // The field's text is code page 1252: as characters it splits a decoded
    // line where its bytes split an 8-bit one.
    LoadWide wide = {};
    WideFromCp1252(separatorCopy, &wide.separator);
    LoadEnd end = LoadCsvRows(text, separatorCopy, &wide);
    WideTextFree(&wide.separator);
    WideTextFree(&wide.line);
    WideTextFree(&wide.row);
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
