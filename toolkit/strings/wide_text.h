// Text in UTF-16 code units, for the lines of a UTF-8 or UTF-16 file, which
// the 8-bit strings cannot hold; and the code page 1252 the 8-bit texts are
// in, as characters.
#pragma once
#include <cstdint>

// A growable text; zero-filled it is empty. Once reserved it is NUL-ended.
struct WideText {
  char16_t *units;
  int32_t length;
  int32_t capacity; // units, the NUL not counted
};

// Room for at least that many units and a NUL, keeping those written. Like
// the scratch buffer, it ends the process when the string heap runs out.
void WideTextReserve(WideText *text, int32_t capacity);
void WideTextFree(WideText *text);

// The 8-bit text (null: empty) as characters.
void WideFromCp1252(const char *text, WideText *wide);
// The code page's byte for a character, or -1 when it has none.
int32_t Cp1252FromWide(char16_t unit);

// The source with every occurrence of find turned into a line feed, scanned
// from the left without overlap as StrReplace does; an empty find never
// matches.
void WideReplaceByLineFeed(const WideText *source, const WideText *find, WideText *row);

// A line of an 8-bit file decoded, when it holds a byte above 0x7F and is
// valid UTF-8 (no overlong form, no surrogate, nothing above U+10FFFF): true
// and the characters in wide. False for any other line, which stays bytes.
bool WideFromUtf8Line(const char *bytes, int32_t length, WideText *wide);
