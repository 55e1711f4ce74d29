// The order of a sorted column's cells, as one table of columns.
#include <gtest/gtest.h>

#include "app/cell_order.h"

namespace {
typedef std::vector<std::wstring> Cells;

// The order of the code units, for the rows that need no locale.
std::string CodeUnitKey(const std::wstring &text) {
  std::string key;
  for (wchar_t unit : text) {
    key += static_cast<char>((unit >> 8) & 0xFF);
    key += static_cast<char>(unit & 0xFF);
  }
  return key;
}

bool GoOn() {
  return true;
}

Cells Sorted(const Cells &cells, int32_t direction, CellSortKeyMaker key) {
  CellColumn column;
  for (const std::wstring &cell : cells) {
    CellColumnAppend(&column, cell.c_str(), static_cast<int32_t>(cell.size()));
  }
  Cells sorted;
  for (int32_t row : CellOrderSort(column, direction, key, GoOn)) {
    sorted.push_back(cells[static_cast<size_t>(row)]);
  }
  return sorted;
}

struct CellOrderCase {
  const char *what;
  Cells cells;
  int32_t direction;
  Cells expected;
};

const CellOrderCase CELL_ORDER_CASES[] = {
    {"German decimals", {L"310,7", L"-3", L"+2,5", L"0,5", L"12%"}, 1, {L"-3", L"0,5", L"+2,5", L"12%", L"310,7"}},
    {"English decimals", {L"10.5", L"9.25", L"-0.5"}, 1, {L"-0.5", L"9.25", L"10.5"}},
    {"both marks, German", {L"1.234,56", L"1234,55", L"999"}, 1, {L"999", L"1234,55", L"1.234,56"}},
    {"both marks, English", {L"1,234.56", L"1234.57", L"999"}, 1, {L"999", L"1,234.56", L"1234.57"}},
    {"a grouping mark groups in every cell", {L"1.512.491", L"56.324", L"60.1"}, 1, {L"56.324", L"1.512.491", L"60.1"}},
    {"a lone mark is decimal", {L"56.324", L"60.1"}, 1, {L"56.324", L"60.1"}},
    {"numbers, texts, blanks", {L"", L"b", L"  ", L"7", L"a", L"1.2.3"}, 1, {L"7", L"1.2.3", L"a", L"b", L"", L"  "}},
    {"down: all reversed but blanks", {L"", L"b", L"7", L"a", L"8"}, -1, {L"b", L"a", L"8", L"7", L""}},
    {"more digits than a double keeps",
     {L"12345678901234567891", L"-0,10000000000000001", L"2" + std::wstring(400, L'0'), L"12345678901234567890",
      L"1" + std::wstring(400, L'0'), L"-0,1", L"-0", L"-0,10000000000000002"},
     1,
     {L"-0,10000000000000002", L"-0,10000000000000001", L"-0,1", L"-0", L"12345678901234567890",
      L"12345678901234567891", L"1" + std::wstring(400, L'0'), L"2" + std::wstring(400, L'0')}},
    {"spaces around a number", {L" 20 ", L"3"}, 1, {L"3", L" 20 "}},
    {"digit runs by value",
     {L"Datei 10", L"Datei 2", L"Datei 02b", L"Datei 1", L"x" + std::wstring(100, L'1'), L"x" + std::wstring(99, L'9')},
     1,
     {L"Datei 1", L"Datei 2", L"Datei 02b", L"Datei 10", L"x" + std::wstring(99, L'9'),
      L"x" + std::wstring(100, L'1')}},
    {"equal cells keep their order up", {L"x", L"a", L"x", L"a"}, 1, {L"a", L"a", L"x", L"x"}},
    {"equal cells keep their order down", {L"1", L"2", L"01", L"2,0"}, -1, {L"2", L"2,0", L"1", L"01"}},
};

TEST(CellOrder, SortsTheColumnsOfTheTable) {
  for (const CellOrderCase &test : CELL_ORDER_CASES) {
    EXPECT_EQ(Sorted(test.cells, test.direction, CodeUnitKey), test.expected) << test.what;
  }
}

#ifdef _WIN32
// Texts in the user's locale: umlauts beside their letter, case second.
TEST(CellOrder, TextsInTheLocalesOrder) {
  EXPECT_EQ(Sorted({L"Zitrone", L"\u00C4pfel", L"apfel", L"Birne", L"\u00E4pfel"}, 1, CellSortKeyLocale),
            (Cells{L"apfel", L"\u00E4pfel", L"\u00C4pfel", L"Birne", L"Zitrone"}));
  EXPECT_EQ(Sorted({L"Datei 10", L"datei 2", L"Datei 1"}, -1, CellSortKeyLocale),
            (Cells{L"Datei 10", L"datei 2", L"Datei 1"}));
}
#endif
} // namespace
