// The locale's sort key for texts of a sorted column. LCMapStringW with
// LCMAP_SORTKEY works the same under Wine 8 and Windows; digit runs are
// ordered by value before the key is made (CellDigitRunsByValue), which
// needs no flag that only some versions know.
#include <windows.h>

#include "app/cell_order.h"

std::string CellSortKeyLocale(const std::wstring &text) {
  int length = static_cast<int>(text.size());
  int size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.c_str(), length, nullptr, 0);
  if (size <= 0) {
    return std::string();
  }
  std::string key(static_cast<size_t>(size), '\0');
  LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.c_str(), length, reinterpret_cast<LPWSTR>(&key[0]), size);
  key.pop_back(); // its NUL
  return key;
}
