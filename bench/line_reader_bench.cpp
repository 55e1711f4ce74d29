// Reading a CSV file the way the viewer does (FileReadLine, StrTakeScratch,
// StrReplace of the separator) against a std::getline reader doing the same
// replacement; the same file and one of short LF-ended lines against a line
// reader that tests every byte for a line end, as FileReadLine once did; and
// one very long line (8 MB and 64 MB) against the memory floor: a plain copy
// of the same bytes through as many buffers; and a UTF-8 file read and
// decoded as the viewer decodes it (its lines checked and turned into UTF-16,
// the separator into column breaks) against the host's own decoder (iconv)
// converting the same bytes in big pieces, with the same replacement; and
// the 50 MB code page 1252 file with the UTF-8 check on each line. Each
// figure is printed as a ratio to its baseline from the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "toolkit/files/file_reader.h"
#include "toolkit/startup/toolkit_startup.h"
#include "toolkit/strings/string_engine.h"
#include "toolkit/strings/string_functions.h"
#include "toolkit/strings/wide_text.h"

namespace {

const char CSV_PATH[] = "/tmp/csvview-bench-50mb.csv";
const char SHORT_LF_PATH[] = "/tmp/csvview-bench-short-lf-50mb.csv";
const char LINE_8MB_PATH[] = "/tmp/csvview-bench-line-8mb.csv";
const char LINE_64MB_PATH[] = "/tmp/csvview-bench-line-64mb.csv";
const char UTF8_PATH[] = "/tmp/csvview-bench-utf8-50mb.csv";
const long long MEGABYTE = 1024 * 1024;

bool FileHasSize(const char *path, long long size) {
  struct stat status;
  return stat(path, &status) == 0 && status.st_size == size;
}

// Writes the row at buffer (of size bytes), returning its length.
typedef int (*RowFormat)(char *buffer, size_t size, long long row);

// 50 MB of rows, made once. Cut in the middle of a line, or with whole
// lines only and the rest filled with ASCII, so that every line is valid.
void RowsGenerate(const char *path, RowFormat format, bool wholeLines) {
  const long long size = 50 * MEGABYTE;
  if (FileHasSize(path, size)) {
    return;
  }
  std::string contents;
  contents.reserve(size + 128);
  char line[128];
  for (long long row = 0; static_cast<long long>(contents.size()) < size; row++) {
    contents.append(line, static_cast<size_t>(format(line, sizeof line, row)));
  }
  if (wholeLines) {
    contents.resize(contents.rfind('\n', size - 1) + 1);
  }
  contents.resize(size, 'x');
  std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

// Four fields a line, CR LF line ends.
int CsvRow(char *buffer, size_t size, long long row) {
  return std::snprintf(buffer, size,
                       "%lld,Kunde %lld,%lld.%02lld,Stra\xDF"
                       "e %lld\r\n",
                       row, row % 9973, row % 100000, row % 100, row % 517);
}

// The same rows in UTF-8 with an umlaut or two in each.
int Utf8Row(char *buffer, size_t size, long long row) {
  return std::snprintf(buffer, size,
                       "%lld,K\xC3\xA4ufer %lld,%lld.%02lld,Stra\xC3\x9F"
                       "e %lld\r\n",
                       row, row % 9973, row % 100000, row % 100, row % 517);
}

// Two short fields a line, LF line ends.
int ShortLfRow(char *buffer, size_t size, long long row) {
  return std::snprintf(buffer, size, "%lld,%lld\n", row % 100000, row % 97);
}

void LongLineGenerate(const char *path, long long size) {
  if (FileHasSize(path, size)) {
    return;
  }
  std::string contents(static_cast<size_t>(size), 'v');
  for (long long i = 9; i < size; i += 10) {
    contents[static_cast<size_t>(i)] = ',';
  }
  contents.back() = '\n';
  std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

// FileReadLine before the library search: the same file record, buffer,
// reservations and line ends, but every byte of a run tested for a mark.
// Its byte fetch is the reader's own, copied here so that the compiler can
// inline it as it could in the reader: a call per byte would slow the
// baseline and flatter the ratio.
int32_t ByteLoopNext(FileRecord *file, unsigned char *byte) {
  if (file->unreadCount < 1) {
    DWORD count = 0;
    if (!ReadFile(file->handle, file->buffer, static_cast<DWORD>(file->bufferSize), &count, nullptr)) {
      count = 0;
    }
    file->fillCount = static_cast<int32_t>(count);
    file->unreadCount = static_cast<int32_t>(count);
    if (count == 0) {
      return 0;
    }
  }
  *byte = file->buffer[file->fillCount - file->unreadCount];
  file->unreadCount--;
  return 1;
}

void ByteLoopReadLine(ObjectId number, int32_t pos) {
  int32_t reserved = 4096;
  char *line = ScratchReserve(reserved, pos);
  FileRecord *file = static_cast<FileRecord *>(RegistryLookup(FileRegistry, number));
  int32_t length = 0;
  auto reservationGrowWhenFull = [&]() {
    if (length == reserved) {
      ScratchReserve(4096, pos + reserved);
      reserved += 4096;
      line = ScratchAt(pos);
    }
  };
  while (file) {
    const unsigned char *next = file->buffer + (file->fillCount - file->unreadCount);
    int32_t limit = std::min(file->unreadCount, reserved - length);
    int32_t count = 0;
    while (count < limit && next[count] != '\r' && next[count] != '\n' && next[count] != 0) {
      count++;
    }
    std::memcpy(line + length, next, static_cast<size_t>(count));
    file->unreadCount -= count;
    length += count;
    reservationGrowWhenFull();
    unsigned char byte = 0;
    ByteLoopNext(file, &byte);
    if (byte != 0) {
      line[length++] = static_cast<char>(byte);
    }
    reservationGrowWhenFull();
    if (byte == 0 || byte == '\n' || byte == '\r') {
      length -= byte != 0;
      unsigned char after = 0;
      if (byte == '\r' && ByteLoopNext(file, &after) && after != '\n') {
        file->unreadCount++;
      }
      break;
    }
  }
  line[length] = 0;
  ScratchRelease(reserved - length);
}

// The viewer's loop, with the separator turned into column breaks.
long long ReadOnce(void (*readLine)(ObjectId, int32_t), const char *path, StringVar *line) {
  long long bytes = 0;
  FileOpen(0, path);
  do {
    int32_t pos = ScratchPos;
    readLine(0, pos);
    StrTakeScratch(line, pos);
    if (**line) {
      StrReplace(*line, ",", "\n", pos);
      bytes += ScratchPos - pos;
      ScratchSetPos(pos);
    }
  } while (!FileAtEnd(0));
  FileClose(0);
  return bytes;
}

// The line variable is reused between rounds, as a reassigned variable is,
// and one untimed round first grows it and the scratch buffer: the page
// faults of fresh mappings are not part of reading.
void ReadWith(benchmark::State &state, void (*readLine)(ObjectId, int32_t), const char *path) {
  StringVar line = nullptr;
  ReadOnce(readLine, path, &line);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadOnce(readLine, path, &line));
  }
  StrFree(line);
}

void ReadGetline(benchmark::State &state, const char *path) {
  std::string line, row;
  for (auto _ : state) {
    std::ifstream stream(path, std::ios::binary);
    long long bytes = 0;
    while (std::getline(stream, line)) {
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
      }
      if (!line.empty()) {
        row = line;
        std::replace(row.begin(), row.end(), ',', '\n');
        bytes += static_cast<long long>(row.size());
      }
    }
    benchmark::DoNotOptimize(bytes);
  }
}

// The floor for one long line: the bytes read in buffer-sized pieces and
// copied into the line, the line into its variable, and the variable into the
// row with the separator replaced, each buffer sized once beforehand as the
// untimed first round of ReadOurs sizes the scratch buffer and the variable.
void CopyFloor(benchmark::State &state, const char *path, long long size) {
  std::vector<char> buffer(static_cast<size_t>(FILE_BUFFER_SIZE));
  std::vector<char> line(static_cast<size_t>(size)), variable(line.size()), row(line.size());
  for (auto _ : state) {
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    size_t length = 0;
    DWORD count = 0;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr) && count > 0) {
      std::memcpy(line.data() + length, buffer.data(), count);
      length += count;
    }
    CloseHandle(file);
    std::memcpy(variable.data(), line.data(), length);
    std::replace_copy(variable.begin(), variable.begin() + static_cast<std::ptrdiff_t>(length), row.begin(), ',', '\n');
    benchmark::DoNotOptimize(row.data());
  }
}

// The viewer's loop over an 8-bit file with its UTF-8 lines decoded: the
// units of every row.
long long ReadDecodedOnce(StringVar *line, WideText *wide, WideText *row, const WideText *separator) {
  long long units = 0;
  FileOpen(0, UTF8_PATH);
  do {
    int32_t pos = ScratchPos;
    FileReadLine(0, pos);
    int32_t length = ScratchPos - pos;
    StrTakeScratch(line, pos);
    if (WideFromUtf8Line(*line, length, wide)) {
      WideReplaceByLineFeed(wide, separator, row);
      units += row->length;
    }
  } while (!FileAtEnd(0));
  FileClose(0);
  return units;
}

// FileReadLine followed by the check every line of an 8-bit file gets, for
// what the check costs a code page 1252 file (its lines are not UTF-8).
WideText CheckedWide = {};
void CheckedReadLine(ObjectId number, int32_t pos) {
  FileReadLine(number, pos);
  benchmark::DoNotOptimize(WideFromUtf8Line(ScratchAt(pos), ScratchPos - pos, &CheckedWide));
}

void BM_CsvChecked(benchmark::State &state) {
  ReadWith(state, CheckedReadLine, CSV_PATH);
}

void BM_Utf8Ours(benchmark::State &state) {
  StringVar line = nullptr;
  WideText wide = {}, row = {}, separator = {};
  WideFromCp1252(",", &separator);
  ReadDecodedOnce(&line, &wide, &row, &separator);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadDecodedOnce(&line, &wide, &row, &separator));
  }
  StrFree(line);
  WideTextFree(&wide);
  WideTextFree(&row);
  WideTextFree(&separator);
}

// The same bytes converted by the host's decoder in 64 KB pieces, lines
// left alone, then the separator replaced in the result.
void BM_Utf8Iconv(benchmark::State &state) {
  std::vector<char> in(64 * 1024);
  std::vector<char16_t> out(in.size());
  iconv_t converter = iconv_open("UTF-16LE", "UTF-8");
  for (auto _ : state) {
    std::ifstream stream(UTF8_PATH, std::ios::binary);
    long long units = 0;
    size_t kept = 0;
    while (stream.read(in.data() + kept, static_cast<std::streamsize>(in.size() - kept)) || stream.gcount() > 0) {
      size_t inLeft = kept + static_cast<size_t>(stream.gcount());
      char *from = in.data();
      char *to = reinterpret_cast<char *>(out.data());
      size_t outLeft = out.size() * sizeof(char16_t);
      iconv(converter, &from, &inLeft, &to, &outLeft);
      char16_t *end = reinterpret_cast<char16_t *>(to);
      std::replace(out.data(), end, u',', u'\n');
      units += end - out.data();
      // A character cut at the piece's end goes first into the next piece.
      std::memmove(in.data(), from, inLeft);
      kept = inLeft;
    }
    benchmark::DoNotOptimize(units);
  }
  iconv_close(converter);
}

void ReadOurs(benchmark::State &state, const char *path) {
  ReadWith(state, FileReadLine, path);
}

void BM_CsvOurs(benchmark::State &state) {
  ReadOurs(state, CSV_PATH);
}
void BM_CsvByteLoop(benchmark::State &state) {
  ReadWith(state, ByteLoopReadLine, CSV_PATH);
}
void BM_ShortLfOurs(benchmark::State &state) {
  ReadOurs(state, SHORT_LF_PATH);
}
void BM_ShortLfByteLoop(benchmark::State &state) {
  ReadWith(state, ByteLoopReadLine, SHORT_LF_PATH);
}
void BM_CsvGetline(benchmark::State &state) {
  ReadGetline(state, CSV_PATH);
}
void BM_Line8MB(benchmark::State &state) {
  ReadOurs(state, LINE_8MB_PATH);
}
void BM_Line64MB(benchmark::State &state) {
  ReadOurs(state, LINE_64MB_PATH);
}
void BM_Floor8MB(benchmark::State &state) {
  CopyFloor(state, LINE_8MB_PATH, 8 * MEGABYTE);
}
void BM_Floor64MB(benchmark::State &state) {
  CopyFloor(state, LINE_64MB_PATH, 64 * MEGABYTE);
}

BENCHMARK(BM_CsvOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvGetline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvByteLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShortLfOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShortLfByteLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Line8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Line64MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor64MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvChecked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8Iconv)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's real and CPU time per iteration for the ratios; on a
// busy machine the CPU time is the steadier of the two.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  RatioReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs) {
      realTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
      cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void RatioPrint(const char *label, const char *measured, const char *baseline, const char *goal) {
    auto ratio = [&](std::map<std::string, double> &times) {
      return times[baseline] > 0 ? times[measured] / times[baseline] : 0.0;
    };
    std::printf("ratio %s = %.2f real, %.2f cpu (goal %s)\n", label, ratio(realTimes), ratio(cpuTimes), goal);
  }

private:
  std::map<std::string, double> realTimes;
  std::map<std::string, double> cpuTimes;
};

} // namespace

int main(int argc, char **argv) {
  if (!ToolkitStartup()) {
    std::fprintf(stderr, "the toolkit cannot start\n");
    return 1;
  }
  RowsGenerate(CSV_PATH, CsvRow, false);
  RowsGenerate(SHORT_LF_PATH, ShortLfRow, false);
  LongLineGenerate(LINE_8MB_PATH, 8 * MEGABYTE);
  LongLineGenerate(LINE_64MB_PATH, 64 * MEGABYTE);
  RowsGenerate(UTF8_PATH, Utf8Row, true);

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.RatioPrint("ours/getline", "BM_CsvOurs", "BM_CsvGetline", "<= 2");
  reporter.RatioPrint("CR LF file ours/byte loop", "BM_CsvOurs", "BM_CsvByteLoop", "<= 1");
  reporter.RatioPrint("short LF lines ours/byte loop", "BM_ShortLfOurs", "BM_ShortLfByteLoop", "<= 1");
  reporter.RatioPrint("8MB line/floor", "BM_Line8MB", "BM_Floor8MB", "<= 3");
  reporter.RatioPrint("64MB line/floor", "BM_Line64MB", "BM_Floor64MB", "<= 3");
  reporter.RatioPrint("code page 1252 file with the UTF-8 check/without", "BM_CsvChecked", "BM_CsvOurs",
                      "none: a few ms of a load of seconds");
  reporter.RatioPrint("UTF-8 decoded ours/iconv", "BM_Utf8Ours", "BM_Utf8Iconv", "<= 2");
  ToolkitShutdown();
  return 0;
}
