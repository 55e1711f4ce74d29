#include "bench/generated_csv.h"

#include <cstdio>
#include <windows.h>

void GeneratedCsvRow(int32_t row, std::string fields[GENERATED_CSV_FIELDS]) {
  fields[0] = std::to_string(row);
  fields[1] = "Wert " + std::to_string(row % 997);
  fields[2] = std::to_string(row * 7) + ".25";
  fields[3] = "M\xFCnchen";
}

// The line's code page 1252 bytes (all Latin-1 letters here) in the form
// asked for.
static std::string GeneratedCsvEncode(const std::string &line, GeneratedText text) {
  if (text == GENERATED_CP1252) {
    return line;
  }
  std::string bytes;
  for (char c : line) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (text == GENERATED_UTF16) {
      bytes += c;
      bytes += '\0';
    } else if (byte < 0x80) {
      bytes += c;
    } else {
      bytes += static_cast<char>(0xC0 | byte >> 6);
      bytes += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return bytes;
}

int32_t GeneratedCsvWrite(const std::string &path, int32_t rows, GeneratedText text) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) {
    return 0;
  }
  if (text == GENERATED_UTF16) {
    std::fputs("\xFF\xFE", file);
  }
  std::string fields[GENERATED_CSV_FIELDS];
  for (int32_t row = 0; row < rows; row++) {
    GeneratedCsvRow(row, fields);
    std::string line = fields[0] + "," + fields[1] + "," + fields[2] + "," + fields[3] + "\r\n";
    std::string bytes = GeneratedCsvEncode(line, text);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
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
