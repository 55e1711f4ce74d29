#include "bench/generated_csv.h"

#include <cstdio>
#include <windows.h>

void GeneratedCsvRow(int32_t row, std::string fields[GENERATED_CSV_FIELDS]) {
  fields[0] = std::to_string(row);
  fields[1] = "Wert " + std::to_string(row % 997);
  fields[2] = std::to_string(row * 7) + ".25";
  fields[3] = "M\xFCnchen";
}

int32_t GeneratedCsvWrite(const std::string &path, int32_t rows) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) {
    return 0;
  }
  std::string fields[GENERATED_CSV_FIELDS];
  for (int32_t row = 0; row < rows; row++) {
    GeneratedCsvRow(row, fields);
    std::fprintf(file, "%s,%s,%s,%s\r\n", fields[0].c_str(), fields[1].c_str(), fields[2].c_str(), fields[3].c_str());
  }
  return std::fclose(file) == 0;
}

std::string GeneratedCsvTempPath(const char *name) {
  char directory[MAX_PATH];
  GetTempPathA(sizeof directory, directory);
  return std::string(directory) + name;
}

double GeneratedCsvMegabytes(const std::string &path) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) {
    return 0;
  }
  ULARGE_INTEGER size;
  size.LowPart = attributes.nFileSizeLow;
  size.HighPart = attributes.nFileSizeHigh;
  return static_cast<double>(size.QuadPart) / (1024.0 * 1024.0);
}

double BenchSeconds() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
