// Text in the forms the files and the list hold it, for tests that write
// UTF-8 and UTF-16 files and read decoded rows back.
#pragma once
#include <string>

// UTF-16 units as UTF-8 bytes; an unpaired surrogate as U+FFFD.
std::string Utf8FromUtf16(const std::u16string &units);
// The units as a UTF-16 file holds them, in the byte order asked for.
std::string Utf16Bytes(const std::u16string &units, bool bigEndian);
