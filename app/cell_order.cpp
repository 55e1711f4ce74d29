// Which cells are numbers is decided per column, as the file's writer used
// "." and ",": a character that groups digits in one cell (it occurs with the
// other one before it, or several times, always three digits after it)
// groups in every cell of the column; otherwise a single "." or "," is the
// decimal separator. A cell that reads as no number that way is text.
#include "app/cell_order.h"

#include <algorithm>

namespace {
enum CellKind : uint8_t { CELL_NUMBER = 0, CELL_TEXT = 1, CELL_BLANK = 2 };
// Each sorting step passes this many cells between two steps.
const int32_t CELLS_PER_STEP = 4096;

struct CellView {
  const wchar_t *text;
  int32_t length;
};

bool CellIsDigit(wchar_t unit) {
  return unit >= L'0' && unit <= L'9';
}

bool CellIsMark(wchar_t unit) {
  return unit == L'.' || unit == L',';
}

CellView CellTrimmed(const CellColumn &cells, int32_t index) {
  const wchar_t *begin = cells.units.data() + cells.starts[index];
  const wchar_t *end = cells.units.data() + cells.starts[index + 1];
  while (begin < end && *begin == L' ') {
    begin++;
  }
  while (end > begin && end[-1] == L' ') {
    end--;
  }
  return {begin, static_cast<int32_t>(end - begin)};
}

// The digits and marks between the sign and the "%"; empty when the cell
// has another character, or a mark not between digits.
CellView CellNumberBody(CellView cell) {
  const wchar_t *begin = cell.text;
  const wchar_t *end = cell.text + cell.length;
  if (begin < end && (*begin == L'+' || *begin == L'-')) {
    begin++;
  }
  if (end > begin && end[-1] == L'%') {
    end--;
  }
  if (begin == end || !CellIsDigit(*begin) || !CellIsDigit(end[-1])) {
    return {begin, 0};
  }
  for (const wchar_t *unit = begin; unit < end; unit++) {
    if (!CellIsDigit(*unit) && (!CellIsMark(*unit) || CellIsMark(unit[1]))) {
      return {begin, 0};
    }
  }
  return {begin, static_cast<int32_t>(end - begin)};
}

// Whether every occurrence of the mark has exactly three digits after it.
bool CellGroupsBy(CellView body, wchar_t mark) {
  for (int32_t i = 0; i < body.length; i++) {
    if (body.text[i] != mark) {
      continue;
    }
    int32_t digits = 0;
    while (i + 1 + digits < body.length && CellIsDigit(body.text[i + 1 + digits])) {
      digits++;
    }
    if (digits != 3) {
      return false;
    }
  }
  return true;
}

// The mark the cell itself shows to group (0 for none): the first of two
// different marks, or one that occurs several times.
wchar_t CellOwnGrouping(CellView body) {
  wchar_t first = 0;
  int32_t count = 0;
  for (int32_t i = 0; i < body.length; i++) {
    if (!CellIsMark(body.text[i])) {
      continue;
    }
    if (first != 0 && body.text[i] != first) {
      return first;
    }
    first = body.text[i];
    count++;
  }
  return count > 1 ? first : 0;
}

// The number's key: bytes that compare as its value however many digits it
// has, where a double keeps about sixteen. The sign, the count of integer
// digits, then the digits without leading zeros or trailing fraction zeros;
// a negative number's bytes inverted and closed by one above them all, so
// that the larger magnitude goes first. False when the cell is no number
// with the column's grouping marks: a grouping mark without three digits
// after it, or more than one decimal separator.
bool CellNumberKey(CellView cell, const bool groups[2], std::string *key) {
  CellView body = CellNumberBody(cell);
  if (body.length == 0) {
    return false;
  }
  const size_t head = 5; // the sign and the count
  key->assign(head, '\0');
  size_t point = std::string::npos;
  for (int32_t i = 0; i < body.length; i++) {
    wchar_t unit = body.text[i];
    if (CellIsDigit(unit)) {
      *key += static_cast<char>(unit);
    } else if (groups[unit == L','] && !CellGroupsBy(body, unit)) {
      return false;
    } else if (!groups[unit == L',']) {
      if (point != std::string::npos) {
        return false;
      }
      point = key->size();
    }
  }
  if (point == std::string::npos) {
    point = key->size();
  }
  size_t lead = head;
  while (lead < point && (*key)[lead] == '0') {
    lead++;
  }
  size_t tail = key->size();
  while (tail > point && (*key)[tail - 1] == '0') {
    tail--;
  }
  bool negative = cell.text[0] == L'-' && tail > lead; // "-0" is 0
  uint32_t integers = static_cast<uint32_t>(point - lead);
  key->erase(tail);
  key->erase(head, lead - head);
  (*key)[0] = negative ? 1 : 2;
  for (size_t byte = 1; byte < head; byte++) {
    (*key)[byte] = static_cast<char>(integers >> (8 * (head - 1 - byte)));
  }
  if (negative) {
    for (size_t byte = 1; byte < key->size(); byte++) {
      (*key)[byte] = static_cast<char>(~(*key)[byte]);
    }
    *key += '\xFF';
  }
  return true;
}

// A cell's key lies in the keys' one pool: a million keys of their own
// would cost as many allocations, and as many frees at once at the end.
struct CellKey {
  CellKind kind;
  uint32_t start;
  uint32_t length;
};

struct CellKeys {
  std::vector<CellKey> cells;
  std::string pool;
};

// Negative when a goes before b ascending, 0 when they are equal.
int CellKeyCompare(const CellKey &a, const CellKey &b, const std::string &pool) {
  if (a.kind != b.kind) {
    return a.kind < b.kind ? -1 : 1;
  }
  return pool.compare(a.start, a.length, pool, b.start, b.length);
}

bool CellKeysMake(const CellColumn &cells, CellSortKeyMaker key, CellOrderStep step, CellKeys *keys) {
  int32_t count = CellColumnCount(cells);
  bool groups[2] = {false, false}; // "." and ","
  for (int32_t i = 0; i < count; i++) {
    CellView body = CellNumberBody(CellTrimmed(cells, i));
    wchar_t mark = CellOwnGrouping(body);
    if (mark != 0 && CellGroupsBy(body, mark)) {
      groups[mark == L','] = true;
    }
  }
  keys->cells.resize(static_cast<size_t>(count));
  std::string made;
  for (int32_t i = 0; i < count; i++) {
    if (i % CELLS_PER_STEP == 0 && !step()) {
      return false;
    }
    CellView cell = CellTrimmed(cells, i);
    CellKey &cellKey = keys->cells[static_cast<size_t>(i)];
    if (cell.length == 0) {
      cellKey.kind = CELL_BLANK;
      made.clear();
    } else if (CellNumberKey(cell, groups, &made)) {
      cellKey.kind = CELL_NUMBER;
    } else {
      cellKey.kind = CELL_TEXT;
      made = key(CellDigitRunsByValue(cell.text, cell.length));
    }
    cellKey.start = static_cast<uint32_t>(keys->pool.size());
    cellKey.length = static_cast<uint32_t>(made.size());
    keys->pool += made;
  }
  return true;
}

// Whether b goes before a in the direction; blanks last either way.
bool CellGoesBefore(const CellKeys &keys, int32_t b, int32_t a, int32_t direction) {
  const CellKey &first = keys.cells[static_cast<size_t>(b)];
  const CellKey &second = keys.cells[static_cast<size_t>(a)];
  if (first.kind == CELL_BLANK || second.kind == CELL_BLANK) {
    return second.kind == CELL_BLANK && first.kind != CELL_BLANK;
  }
  return CellKeyCompare(first, second, keys.pool) * direction < 0;
}

// A stable bottom-up merge, so that the work can step between runs.
bool CellMergeSort(std::vector<int32_t> *order, const CellKeys &keys, int32_t direction, CellOrderStep step) {
  size_t count = order->size();
  std::vector<int32_t> merged(count);
  size_t sinceStep = 0;
  for (size_t width = 1; width < count; width *= 2) {
    for (size_t left = 0; left < count; left += 2 * width) {
      size_t middle = std::min(left + width, count);
      size_t right = std::min(left + 2 * width, count);
      size_t a = left;
      size_t b = middle;
      for (size_t out = left; out < right; out++) {
        bool takeB = b < right && (a == middle || CellGoesBefore(keys, (*order)[b], (*order)[a], direction));
        merged[out] = (*order)[takeB ? b++ : a++];
      }
      sinceStep += right - left;
      if (sinceStep >= CELLS_PER_STEP) {
        sinceStep = 0;
        if (!step()) {
          return false;
        }
      }
    }
    order->swap(merged);
  }
  return true;
}
} // namespace

void CellColumnAppend(CellColumn *column, const wchar_t *text, int32_t length) {
  column->units.insert(column->units.end(), text, text + length);
  column->starts.push_back(static_cast<uint32_t>(column->units.size()));
}

std::wstring CellDigitRunsByValue(const wchar_t *text, int32_t length) {
  std::wstring out;
  for (int32_t i = 0; i < length;) {
    if (!CellIsDigit(text[i])) {
      out += text[i++];
      continue;
    }
    while (i + 1 < length && text[i] == L'0' && CellIsDigit(text[i + 1])) {
      i++;
    }
    int32_t start = i;
    while (i < length && CellIsDigit(text[i])) {
      i++;
    }
    // The length's own digits are counted first, so that a run of 100
    // digits goes after one of 99.
    std::wstring digits = std::to_wstring(i - start);
    out += static_cast<wchar_t>(L'0' + digits.size());
    out += digits;
    out.append(text + start, static_cast<size_t>(i - start));
  }
  return out;
}

std::vector<int32_t> CellOrderSort(const CellColumn &cells, int32_t direction, CellSortKeyMaker key,
                                   CellOrderStep step) {
  CellKeys keys;
  if (!CellKeysMake(cells, key, step, &keys)) {
    return {};
  }
  std::vector<int32_t> order(keys.cells.size());
  for (size_t i = 0; i < order.size(); i++) {
    order[i] = static_cast<int32_t>(i);
  }
  if (!CellMergeSort(&order, keys, direction, step)) {
    return {};
  }
  return order;
}
