// The separator guessed for a file opened from the desktop (the command line
// without /sep:, or a drop), from its first lines.
#pragma once
#include <cstdint>
#include "toolkit/strings/wide_text.h"

enum : int32_t { SEPARATOR_GUESS_LINES = 100, SEPARATOR_GUESS_BYTES = 64 * 1024, SEPARATOR_CANDIDATES = 4 };

// The candidates' occurrences over the lines counted so far; zero-filled to
// start.
struct SeparatorTally {
  int32_t lines;
  int32_t firstLine[SEPARATOR_CANDIDATES]; // occurrences on the first line
  int64_t total[SEPARATOR_CANDIDATES];
  bool uneven[SEPARATOR_CANDIDATES]; // a line differed from the first
};

// A candidate that occurs equally often, at least once, on every line beats
// one that does not; then the most occurrences a line; then the order
// , ; TAB |. The preset , when none occurs at all.
char SeparatorTallyResult(const SeparatorTally *tally);
// X for a line "sep=X" (X one character the code page has), else 0.
char SeparatorNamed(const WideText *line);

// Opens the file as the load does and writes the guess at pos, as a string
// result; the preset "," when the file cannot be opened.
void SeparatorGuess(const char *path, const wchar_t *widePath, int32_t pos);
