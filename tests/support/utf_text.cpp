#include "tests/support/utf_text.h"

std::string Utf8FromUtf16(const std::u16string &units) {
  std::string bytes;
  for (size_t i = 0; i < units.size(); i++) {
    char32_t point = units[i];
    bool high = point >= 0xD800 && point < 0xDC00;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      point = 0x10000 + ((point - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (point >= 0xD800 && point < 0xE000) {
      point = 0xFFFD;
    }
    if (point < 0x80) {
      bytes += static_cast<char>(point);
    } else if (point < 0x800) {
      bytes += static_cast<char>(0xC0 | point >> 6);
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
      bytes += static_cast<char>(0xE0 | point >> 12);
      bytes += static_cast<char>(0x80 | (point >> 6 & 0x3F));
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | point >> 18);
      bytes += static_cast<char>(0x80 | (point >> 12 & 0x3F));
      bytes += static_cast<char>(0x80 | (point >> 6 & 0x3F));
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return bytes;
}

std::string Utf16Bytes(const std::u16string &units, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : units) {
    char low = static_cast<char>(unit & 0xFF);
    char high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}
