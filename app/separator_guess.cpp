// Guessing the separator: a first line "sep=X" names it (a spreadsheet's
// convention); otherwise the candidates are counted on the first non-empty
// lines, as characters. An 8-bit line is counted on its bytes: the
// candidates are ASCII, and a byte below 0x80 is that character whether the
// line is UTF-8 or code page 1252, so a huge first line is read once, as the
// load reads it, and never copied wide.
#include "app/separator_guess.h"

#include "app/app_state.h"
#include "app/csv_lines.h"
#include "app/viewer_numbers.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"

static const char SEPARATOR_CANDIDATE[SEPARATOR_CANDIDATES] = {',', ';', '\t', '|'};

// One line's candidates, in characters or in bytes.
template <typename Unit> static void SeparatorTallyLine(SeparatorTally *tally, const Unit *units, int32_t length) {
  int32_t counts[SEPARATOR_CANDIDATES] = {};
  for (int32_t i = 0; i < length; i++) {
    for (int32_t c = 0; c < SEPARATOR_CANDIDATES; c++) {
      counts[c] += units[i] == static_cast<Unit>(SEPARATOR_CANDIDATE[c]);
    }
  }
  for (int32_t c = 0; c < SEPARATOR_CANDIDATES; c++) {
    if (tally->lines == 0) {
      tally->firstLine[c] = counts[c];
    } else if (counts[c] != tally->firstLine[c]) {
      tally->uneven[c] = true;
    }
    tally->total[c] += counts[c];
  }
  tally->lines++;
}

char SeparatorTallyResult(const SeparatorTally *tally) {
  int32_t best = -1;
  bool bestSteady = false;
  for (int32_t c = 0; c < SEPARATOR_CANDIDATES; c++) {
    bool steady = !tally->uneven[c] && tally->firstLine[c] > 0;
    // The same lines were counted for every candidate: the most a line is
    // the most in all. The earlier candidate keeps a tie.
    if (tally->total[c] > 0 &&
        (best < 0 || (steady && !bestSteady) || (steady == bestSteady && tally->total[c] > tally->total[best]))) {
      best = c;
      bestSteady = steady;
    }
  }
  return best < 0 ? ',' : SEPARATOR_CANDIDATE[best];
}

char SeparatorNamed(const WideText *line) {
  static const char16_t PREFIX[] = u"sep=";
  const int32_t prefixLength = 4;
  if (line->length != prefixLength + 1) {
    return 0;
  }
  for (int32_t i = 0; i < prefixLength; i++) {
    if (line->units[i] != PREFIX[i]) {
      return 0;
    }
  }
  int32_t byte = Cp1252FromWide(line->units[prefixLength]);
  return byte > 0 ? static_cast<char>(byte) : 0;
}

// The name of an 8-bit first line "sep=X": X is at most a UTF-8 sequence.
static char SeparatorNamedInBytes(int32_t length, WideText *line) {
  const int32_t longest = 4 + 4;
  if (length > longest) {
    return 0;
  }
  if (!WideFromUtf8Line(LineText, length, line)) {
    WideFromCp1252(LineText, line);
  }
  return SeparatorNamed(line);
}

// The name of a first line "sep=X", or 0 and the tally of the first lines.
static char SeparatorGuessRead(FileText text, SeparatorTally *tally) {
  const bool wide = text == FILE_TEXT_UTF16_LE || text == FILE_TEXT_UTF16_BE;
  WideText line = {};
  char named = 0;
  int64_t bytes = 0;
  do {
    int32_t length = 0;
    if (wide) {
      CsvLineRead(text, &line);
      length = line.length;
    } else {
      length = CsvLineReadBytes();
    }
    bool first = bytes == 0;
    // Each line with its end, roughly: what matters is that reading stops.
    bytes += static_cast<int64_t>(length + 1) * (wide ? 2 : 1);
    if (first && (named = wide ? SeparatorNamed(&line) : SeparatorNamedInBytes(length, &line)) != 0) {
      break;
    }
    if (length > 0) {
      if (wide) {
        SeparatorTallyLine(tally, line.units, length);
      } else {
        SeparatorTallyLine(tally, LineText, length);
      }
    }
  } while (tally->lines < SEPARATOR_GUESS_LINES && bytes < SEPARATOR_GUESS_BYTES && FileAtEnd(FILE_CSV) == 0);
  WideTextFree(&line);
  return named;
}

void SeparatorGuess(const char *path, const wchar_t *widePath, int32_t pos) {
  char guess[2] = {',', 0};
  FileText text;
  if (CsvFileOpen(path, widePath, &text)) {
    SeparatorTally tally = {};
    char named = SeparatorGuessRead(text, &tally);
    guess[0] = named ? named : SeparatorTallyResult(&tally);
    FileClose(FILE_CSV);
  }
  ScratchSetPos(pos);
  StrAppendScratch(guess);
}
