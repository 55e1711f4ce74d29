// The order of rows sorted by one column: numbers by value, then texts, then
// blank cells (empty or only spaces), which stay last in both directions.
// Stable: rows with equal cells keep the order they had. Free of platform
// calls; the texts' locale order comes from the key maker given.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum : int32_t { CELL_ORDER_ASCENDING = 1, CELL_ORDER_DESCENDING = -1 };

// A column's cells, one after the other: cell i is units[starts[i]] up to
// units[starts[i + 1]], without NUL.
struct CellColumn {
  std::vector<wchar_t> units;
  std::vector<uint32_t> starts{0};
};

void CellColumnAppend(CellColumn *column, const wchar_t *text, int32_t length);
inline int32_t CellColumnCount(const CellColumn &column) {
  return static_cast<int32_t>(column.starts.size()) - 1;
}

// Bytes that order texts as the user's locale does, compared as bytes.
typedef std::string (*CellSortKeyMaker)(const std::wstring &text);
#ifdef _WIN32
// The user's locale's sort key (case and accents second).
std::string CellSortKeyLocale(const std::wstring &text);
#endif

// Said between steps of the work; false stops it.
typedef bool (*CellOrderStep)();

// The text with each run of digits written as the count of its length's
// digits, its length and then its digits without leading zeros, so that a
// locale key orders the runs by value ("Datei 2" before "Datei 10").
std::wstring CellDigitRunsByValue(const wchar_t *text, int32_t length);

// The new order: entry p is the current position of the row to show at p.
// Empty when a step said stop.
std::vector<int32_t> CellOrderSort(const CellColumn &cells, int32_t direction, CellSortKeyMaker key,
                                   CellOrderStep step);
