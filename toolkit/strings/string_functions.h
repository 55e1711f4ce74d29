// The string functions of the viewer: separator replacement and number text.
#pragma once
#include <cstdint>

void StrReplace(const char *source, const char *find, const char *replacement, int32_t pos);
void StrFromInt(int64_t value, int32_t pos);
void StrFromInt32(int32_t value, int32_t pos);
char *UInt64ToDecimal(char *destination, uint64_t value);
