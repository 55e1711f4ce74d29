// What a file's bytes are as text: the byte order mark at its start, and
// the lines of a UTF-16 file.
#pragma once
#include <cstdint>
#include "toolkit/core/object_registry.h"
#include "toolkit/strings/wide_text.h"

enum FileText : int32_t {
  FILE_TEXT_BYTES,    // no mark: each line is its bytes, or UTF-8 where valid
  FILE_TEXT_UTF8,     // EF BB BF: read as FILE_TEXT_BYTES once the mark is gone
  FILE_TEXT_UTF16_LE, // FF FE
  FILE_TEXT_UTF16_BE, // FE FF
};

// Right after FileOpen: takes a byte order mark off the start of the file
// and says what it named; without one nothing is taken. FILE_TEXT_BYTES for
// a number with no open file.
FileText FileMarkRead(ObjectId number);

// The next line of a UTF-16 file into line, without its end: the units
// U+000D, U+000A, U+000D U+000A and U+0000 end a line, as the bytes do in an
// 8-bit file; an odd last byte becomes U+FFFD. FileAtEnd tells the end as
// for any file. The empty text for a number with no open file.
void FileReadLineWide(ObjectId number, FileText text, WideText *line);
