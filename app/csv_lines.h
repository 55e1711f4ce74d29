// The CSV file's lines as the load and the separator guess both read them:
// its byte order mark taken off, each line decoded as the file's text says.
#pragma once
#include "toolkit/files/text_reader.h"
#include "toolkit/strings/wide_text.h"

// Opens FILE_CSV, by the wide name when one is given, and takes its mark;
// false when it cannot be opened.
bool CsvFileOpen(const char *path, const wchar_t *widePath, FileText *text);
// The next line: true when it is decoded, into wide; false when it is the
// line's bytes, in LineText (no mark and not UTF-8 with bytes above 0x7F:
// code page 1252, read as it always was).
bool CsvLineRead(FileText text, WideText *wide);
// The next line of an 8-bit file, undecoded: its bytes in LineText, and
// their count.
int32_t CsvLineReadBytes();
