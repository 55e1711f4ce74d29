#include "app/csv_lines.h"

#include "app/app_state.h"
#include "app/viewer_numbers.h"
#include "toolkit/files/file_reader.h"

bool CsvFileOpen(const char *path, const wchar_t *widePath, FileText *text) {
  HANDLE handle = widePath ? FileOpenWide(FILE_CSV, widePath) : FileOpen(FILE_CSV, path);
  if (handle == nullptr) {
    return false;
  }
  *text = FileMarkRead(FILE_CSV);
  return true;
}

int32_t CsvLineReadBytes() {
  int32_t pos = ScratchPos;
  FileReadLine(FILE_CSV, pos);
  int32_t length = ScratchPos - pos;
  StrTakeScratch(&LineText, pos);
  return length;
}

bool CsvLineRead(FileText text, WideText *wide) {
  if (text == FILE_TEXT_UTF16_LE || text == FILE_TEXT_UTF16_BE) {
    FileReadLineWide(FILE_CSV, text, wide);
    return true;
  }
  int32_t length = CsvLineReadBytes();
  return WideFromUtf8Line(LineText, length, wide);
}
