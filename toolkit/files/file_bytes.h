// The byte access the readers of this folder share: the 8-bit line reader
// and the one for UTF-16 files.
#pragma once
#include <cstdint>
#include "toolkit/files/file_reader.h"

// The next byte, through the buffer or straight from the system without one;
// 0 at the end of the file (a failed read counts as the end).
int32_t FileNextByte(FileRecord *file, unsigned char *destination);
