// The generated four-field CSV file the viewer benchmarks load, and their
// clock.
#pragma once
#include <cstdint>
#include <string>

enum : int32_t { GENERATED_CSV_FIELDS = 4 };

// The fields of one row: short numbers and words, one code page 1252 byte.
void GeneratedCsvRow(int32_t row, std::string fields[GENERATED_CSV_FIELDS]);
enum GeneratedText : int32_t { GENERATED_CP1252, GENERATED_UTF8, GENERATED_UTF16 };
// Writes rows 0 to rows - 1, comma separated, CR LF ended; 0 on failure. In
// UTF-8 (no mark) or UTF-16 (little-endian, with its mark) the same
// characters, so every row holds a letter beyond ASCII.
int32_t GeneratedCsvWrite(const std::string &path, int32_t rows, GeneratedText text = GENERATED_CP1252);
// A file of that name in the user's temporary folder.
std::string GeneratedCsvTempPath(const char *name);
// The file's size in MB (2^20 bytes), 0 when it cannot be asked.
double GeneratedCsvMegabytes(const std::string &path);
double BenchSeconds();
