// The byte access of file_reader.cpp for the UTF-16 reader beside it.
#pragma once
#include <cstdint>
#include "toolkit/files/file_reader.h"

// The next byte, through the buffer or straight from the system without one;
// 0 at the end of the file (a failed read counts as the end).
int32_t FileByteRead(FileRecord *file, unsigned char *destination);
