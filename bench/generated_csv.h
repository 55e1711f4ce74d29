// The generated four-field CSV file the viewer benchmarks load, and their
// clock.
#pragma once
#include <cstdint>
#include <string>

enum : int32_t { GENERATED_CSV_FIELDS = 4 };

// The fields of one row: short numbers and words, one code page 1252 byte.
void GeneratedCsvRow(int32_t row, std::string fields[GENERATED_CSV_FIELDS]);
// Writes rows 0 to rows - 1, comma separated, CR LF ended; 0 on failure.
int32_t GeneratedCsvWrite(const std::string &path, int32_t rows);
// A file of that name in the user's temporary folder.
std::string GeneratedCsvTempPath(const char *name);
// The file's size in MB (2^20 bytes), 0 when it cannot be asked.
double GeneratedCsvMegabytes(const std::string &path);
double BenchSeconds();
