// Reads one line of the given size in MB (400 unless told) through the line
// reader, as the viewer would, and prints what it took: the line's length, the
// scratch buffer's capacity, the large reallocations (granted and refused)
// and the process's peak memory. Run under an
// address-space limit it shows where a line still fits:
//   (ulimit -v 460800; build/host-release/bench/long_line_memory 400)
// A line that does not fit ends the process with an abort.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

#include "toolkit/files/file_reader.h"
#include "toolkit/startup/toolkit_startup.h"
#include "toolkit/strings/string_engine.h"

namespace {

const long long MEGABYTE = 1024 * 1024;

// Reallocations of a megabyte or more: only the scratch buffer's are.
long long reallocationsGranted = 0;
long long reallocationsRefused = 0;

} // namespace

// The heap reallocates through the C library; the program is linked with
// --wrap=realloc, so that every call comes here first.
extern "C" void *__real_realloc(void *block, size_t size);
extern "C" void *__wrap_realloc(void *block, size_t size) {
  void *moved = __real_realloc(block, size);
  if (size >= static_cast<size_t>(MEGABYTE)) {
    (moved ? reallocationsGranted : reallocationsRefused)++;
  }
  return moved;
}

namespace {

// Written a megabyte at a time, so that the limit need not admit the file too.
bool LineFileWrite(const std::string &path, long long megabytes) {
  struct stat status;
  if (stat(path.c_str(), &status) == 0 && status.st_size == megabytes * MEGABYTE) {
    return true;
  }
  std::string chunk(static_cast<size_t>(MEGABYTE), 'v');
  for (size_t i = 9; i < chunk.size(); i += 10) {
    chunk[i] = ',';
  }
  FILE *file = std::fopen(path.c_str(), "wb");
  bool written = file != nullptr;
  for (long long piece = 0; written && piece < megabytes; piece++) {
    if (piece == megabytes - 1) {
      chunk.back() = '\n';
    }
    written = std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
  }
  return file && std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char **argv) {
  long long megabytes = argc > 1 ? std::atoll(argv[1]) : 400;
  std::string path = "/tmp/csvview-line-" + std::to_string(megabytes) + "mb.csv";
  if (megabytes < 1 || megabytes > 2000 || !LineFileWrite(path, megabytes)) {
    std::fprintf(stderr, "cannot write a line of %lld MB to %s\n", megabytes, path.c_str());
    return 2;
  }
  if (!ToolkitStartup()) {
    std::fprintf(stderr, "the toolkit cannot start\n");
    return 1;
  }
  if (!FileOpen(0, path.c_str())) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    return 2;
  }
  FileReadLine(0, 0);
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  std::printf("line of %d bytes read; scratch capacity %d bytes (%.2f times the line); reallocations of 1 MB or "
              "more: %lld granted, %lld refused; peak memory %ld MB\n",
              ScratchPos, ScratchCapacity, static_cast<double>(ScratchCapacity) / ScratchPos, reallocationsGranted,
              reallocationsRefused, usage.ru_maxrss / 1024);
  ToolkitShutdown();
  return 0;
}
