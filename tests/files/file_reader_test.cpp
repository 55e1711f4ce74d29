#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/support/heap_use.h"
#include "tests/support/read_only.h"
#include "tests/support/scoped_value.h"
#include "tests/support/temp_files.h"
#include "tests/support/utf_text.h"
#include "toolkit/files/text_reader.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/files/file_path.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"

namespace {

struct Line {
  std::string text;
  int32_t atEnd;
  bool operator==(const Line &other) const { return text == other.text && atEnd == other.atEnd; }
};

std::ostream &operator<<(std::ostream &out, const Line &line) {
  return out << testing::PrintToString(line.text) << " atEnd " << line.atEnd;
}

std::string LineRead(ObjectId number) {
  int32_t pos = ScratchPos;
  // Stale text where the line goes: every line must end with its own NUL.
  StrAppendScratch("stale");
  ScratchPos = pos;
  FileReadLine(number, pos);
  std::string text(ScratchAt(pos));
  EXPECT_EQ(ScratchPos, pos + static_cast<int32_t>(text.size()));
  ScratchSetPos(pos);
  return text;
}

// The application's loop: read a line, then ask for the end.
std::vector<Line> LinesOf(const std::string &contents) {
  TempFile file(".csv", contents);
  std::vector<Line> lines;
  if (!FileOpen(0, file.path())) {
    ADD_FAILURE() << "cannot open " << file.path();
    return lines;
  }
  do {
    std::string text = LineRead(0);
    lines.push_back({text, FileAtEnd(0)});
  } while (lines.back().atEnd == 0 && lines.size() < 100000);
  FileClose(0);
  return lines;
}

struct LineCase {
  const char *name;
  std::string contents;
  std::vector<Line> lines;
};

std::vector<LineCase> LineEndCases(int32_t end) {
  return {
      {"CR LF", "a;b\r\nc;d\r\n", {{"a;b", 0}, {"c;d", end}}},
      {"LF", "a;b\nc;d\n", {{"a;b", 0}, {"c;d", end}}},
      {"CR", "a;b\rc;d\r", {{"a;b", 0}, {"c;d", end}}},
      {"LF CR", "a\n\rb", {{"a", 0}, {"", 0}, {"b", end}}},
      {"CR CR LF", "a\r\r\nb", {{"a", 0}, {"", 0}, {"b", end}}},
      {"no last terminator", "a\nlast", {{"a", 0}, {"last", end}}},
      {"terminator after terminator", "a\n\n", {{"a", 0}, {"", end}}},
      {"NUL in a line", std::string("ab\0cd\n", 6), {{"ab", 0}, {"cd", end}}},
      {"CR NUL", std::string("a\r\0b", 4), {{"a", 0}, {"", 0}, {"b", end}}},
      {"empty file", "", {{"", end}}},
      {"bytes 128 to 255 and a mark", "\xEF\xBB\xBF\x80\xFF\n\xE4", {{"\xEF\xBB\xBF\x80\xFF", 0}, {"\xE4", end}}},
      // Line ends are looked for eight bytes at a time, by bytes below 14.
      {"control bytes that end no line",
       "\t\x01\x0B\x0C"
       "a\x1F\x7F\tb\x0E\x0D\x0E\t\x0B",
       {{"\t\x01\x0B\x0C"
         "a\x1F\x7F\tb\x0E",
         0},
        {"\x0E\t\x0B", end}}},
      {"marks as the eighth and ninth byte",
       "1234567\n12345678\r12345678",
       {{"1234567", 0}, {"12345678", 0}, {"12345678", end}}},
  };
}

TEST(FileLines, LineEnds) {
  for (const LineCase &c : LineEndCases(1)) {
    EXPECT_EQ(LinesOf(c.contents), c.lines) << c.name;
  }
}

TEST(FileLines, WithoutBuffer) {
  ScopedValue<int32_t> unbuffered(FILE_BUFFER_SIZE, 0);
  TempFile probe(".csv", "x");
  ASSERT_NE(FileOpen(2, probe.path()), nullptr);
  EXPECT_EQ(static_cast<FileRecord *>(RegistryLookup(FileRegistry, 2))->buffer, nullptr);
  FileClose(2);
  for (const LineCase &c : LineEndCases(-1)) {
    EXPECT_EQ(LinesOf(c.contents), c.lines) << c.name;
  }
}

// The same lines from a UTF-16 file: each byte of a case as one unit, in
// either order, through every buffer size, odd ones too, where a unit lies
// across two refills.
std::vector<Line> WideLinesOf(const std::string &units, bool bigEndian) {
  std::u16string text(units.begin(), units.end());
  for (char16_t &unit : text) {
    unit = static_cast<unsigned char>(unit);
  }
  TempFile file(".csv", Utf16Bytes(text, bigEndian));
  std::vector<Line> lines;
  if (!FileOpen(0, file.path())) {
    ADD_FAILURE() << "cannot open " << file.path();
    return lines;
  }
  FileText order = bigEndian ? FILE_TEXT_UTF16_BE : FILE_TEXT_UTF16_LE;
  WideText line = {};
  do {
    FileReadLineWide(0, order, &line);
    std::string bytes;
    for (int32_t i = 0; i < line.length; i++) {
      bytes += static_cast<char>(line.units[i]);
    }
    lines.push_back({bytes, FileAtEnd(0)});
  } while (lines.back().atEnd == 0 && lines.size() < 100000);
  WideTextFree(&line);
  FileClose(0);
  return lines;
}

TEST(FileLines, Utf16LineEnds) {
  for (int32_t size : {4096, 0, 1, 3}) {
    ScopedValue<int32_t> bufferSize(FILE_BUFFER_SIZE, size);
    for (const LineCase &c : LineEndCases(size > 0 ? 1 : -1)) {
      EXPECT_EQ(WideLinesOf(c.contents, false), c.lines) << c.name << ", buffer " << size;
      EXPECT_EQ(WideLinesOf(c.contents, true), c.lines) << c.name << ", buffer " << size << ", big-endian";
    }
  }
}

// A mark is taken off and named; bytes that only begin like one are given
// back whole, with or without a buffer.
TEST(FileLines, ByteOrderMarks) {
  const struct {
    std::string bytes;
    FileText text;
    std::string rest; // the first line, read as bytes
  } cases[] = {
      {"\xEF\xBB\xBF"
       "a,b\n",
       FILE_TEXT_UTF8, "a,b"},
      {"\xFF\xFE"
       "a",
       FILE_TEXT_UTF16_LE, "a"},
      {"\xFE\xFF"
       "a",
       FILE_TEXT_UTF16_BE, "a"},
      {"\xFF\xFE", FILE_TEXT_UTF16_LE, ""},
      {"\xEF\xBB"
       "x",
       FILE_TEXT_BYTES,
       "\xEF\xBB"
       "x"},
      {"\xEF\xBB", FILE_TEXT_BYTES, "\xEF\xBB"},
      {"\xFE", FILE_TEXT_BYTES, "\xFE"},
      {"\xFF\xFF"
       "a",
       FILE_TEXT_BYTES,
       "\xFF\xFF"
       "a"},
      {"ab", FILE_TEXT_BYTES, "ab"},
      {"", FILE_TEXT_BYTES, ""},
  };
  for (int32_t size : {4096, 0, 1, 2}) {
    ScopedValue<int32_t> bufferSize(FILE_BUFFER_SIZE, size);
    for (const auto &c : cases) {
      SCOPED_TRACE(testing::PrintToString(c.bytes) + ", buffer " + std::to_string(size));
      TempFile file(".csv", c.bytes);
      ASSERT_NE(FileOpen(0, file.path()), nullptr);
      EXPECT_EQ(FileMarkRead(0), c.text);
      EXPECT_EQ(LineRead(0), c.rest);
      FileClose(0);
    }
  }
  EXPECT_EQ(FileMarkRead(3), FILE_TEXT_BYTES);
}

// Without a buffer a byte is pushed back by moving the file position, which
// must reach past 4 GiB as well.
TEST(FileLines, PushBackPastFourGiB) {
  ScopedValue<int32_t> unbuffered(FILE_BUFFER_SIZE, 0);
  const int64_t offset = (int64_t{1} << 32) + 2;
  TempFile file(".csv", "");
  {
    std::fstream stream(file.path(), std::ios::in | std::ios::out | std::ios::binary);
    stream.seekp(offset);
    stream << "a\rb\n";
    ASSERT_TRUE(stream.good());
  }
  HANDLE handle = FileOpen(0, file.path());
  ASSERT_NE(handle, nullptr);
  LONG high = static_cast<LONG>(offset >> 32);
  SetFilePointer(handle, static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN);
  EXPECT_EQ(LineRead(0), "a");
  EXPECT_EQ(FileAtEnd(0), 0);
  EXPECT_EQ(LineRead(0), "b");
  EXPECT_EQ(FileAtEnd(0), -1);
  FileClose(0);
}

// A read the system refuses is the end of the file: the line ends with the
// bytes already buffered and the end is reported.
TEST(FileLines, FailedReadEndsTheFile) {
  struct Case {
    int32_t bufferSize;
    const char *lastLine;
    int32_t end;
  };
  const Case cases[] = {{4, "c", 1}, {0, "", -1}};
  for (const Case &c : cases) {
    ScopedValue<int32_t> bufferSize(FILE_BUFFER_SIZE, c.bufferSize);
    TempFile file(".csv", "ab\ncdefgh\n");
    TempFile other(".csv", "");
    ASSERT_NE(FileOpen(0, file.path()), nullptr);
    EXPECT_EQ(LineRead(0), "ab");
    // Swap in a handle that may only write, so that every further read fails.
    FileRecord *record = static_cast<FileRecord *>(RegistryLookup(FileRegistry, 0));
    HANDLE writeOnly = CreateFileA(other.path(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writeOnly, INVALID_HANDLE_VALUE);
    CloseHandle(record->handle);
    record->handle = writeOnly;
    EXPECT_EQ(LineRead(0), c.lastLine) << c.bufferSize;
    EXPECT_EQ(FileAtEnd(0), c.end) << c.bufferSize;
    FileClose(0);
  }
}

TEST(FileLines, BufferBoundaries) {
  std::string head(4095, 'x'); // the next byte is byte 4096 of the file
  const LineCase cases[] = {
      {"CR LF across the boundary", head + "\r\nb", {{head, 0}, {"b", 1}}},
      {"CR at the boundary, then a byte", head + "\rb", {{head, 0}, {"b", 1}}},
      {"lone CR as last byte of a full buffer", head + "\r", {{head, 1}}},
      {"LF as first byte of the second buffer", head + "y\nb", {{head + "y", 0}, {"b", 1}}},
      {"NUL at the boundary", head + std::string("\0b", 2), {{head, 0}, {"b", 1}}},
  };
  for (const LineCase &c : cases) {
    EXPECT_EQ(LinesOf(c.contents), c.lines) << c.name;
  }
}

TEST(FileLines, LongLines) {
  for (int32_t length : {4095, 4096, 4097, 8191, 8192, 8193, 10000, 12288, 300000}) {
    std::string line;
    for (int32_t i = 0; i < length; i++) {
      line += static_cast<char>('a' + i % 26);
    }
    EXPECT_EQ(LinesOf(line + "\r\nnext"), std::vector<Line>({{line, 0}, {"next", 1}})) << length;
  }
  // A 10,000-byte line was read with a reservation grown twice, to 12,288.
  TempFile file(".csv", std::string(10000, 'z'));
  ASSERT_NE(FileOpen(0, file.path()), nullptr);
  int32_t pos = ScratchPos;
  FileReadLine(0, pos);
  EXPECT_GE(ScratchCapacity - 4, pos + 12288);
  EXPECT_EQ(ScratchPos, pos + 10000);
  ScratchSetPos(pos);
  FileClose(0);

  // Each step is reserved at the end of the line so far, so that a fresh
  // buffer grows to about the line, not to twice it.
  HeapDestroy(StringHeap);
  StringEngineInit();
  file.Write(std::string(1000000, 'q'));
  ASSERT_NE(FileOpen(0, file.path()), nullptr);
  FileReadLine(0, 0);
  EXPECT_EQ(ScratchPos, 1000000);
  EXPECT_LT(ScratchCapacity, 1500000);
  ScratchSetPos(0);
  FileClose(0);
}

TEST(FileNumbers, NumbersWithoutFile) {
  for (ObjectId number : {3, -1, INT32_MIN, 1000}) {
    EXPECT_EQ(LineRead(number), "") << number;
    EXPECT_EQ(FileAtEnd(number), 0) << number;
    FileClose(number);
  }
  TempFile file(".csv", "x\n");
  EXPECT_EQ(FileOpen(-1, file.path()), nullptr);
  EXPECT_EQ(FileOpen(INT32_MAX, file.path()), nullptr);
  // A number at or past the capacity grows the registry and works like any
  // other.
  for (ObjectId number : {16, 40}) {
    ASSERT_NE(FileOpen(number, file.path()), nullptr);
    EXPECT_EQ(LineRead(number), "x");
    EXPECT_EQ(FileAtEnd(number), 1);
    FileClose(number);
  }
}

TEST(FileOpening, MissingNamesAndReuse) {
  // A name of no file is refused and nothing is created.
  TempFile missing(".csv");
  EXPECT_EQ(FileOpen(0, missing.path()), nullptr);
  EXPECT_FALSE(missing.Exists());

  TempFile created(".csv", "");
  ASSERT_NE(FileOpen(0, created.path()), nullptr);
  EXPECT_EQ(LineRead(0), "");
  EXPECT_EQ(FileAtEnd(0), 1);

  // Reopening number 0 closes the first file even though the new open fails.
  EXPECT_EQ(FileOpen(0, TempMissingDirectoryPath().c_str()), nullptr);
  EXPECT_EQ(RegistryLookup(FileRegistry, 0), nullptr);

  // Shutdown closes whatever is still open.
  TempFile shared(".csv", "first\n");
  ASSERT_NE(FileOpen(5, created.path()), nullptr);
  ASSERT_NE(FileOpen(6, shared.path()), nullptr);
  FileLibraryShutdown();
  EXPECT_EQ(RegistryLookup(FileRegistry, 5), nullptr);
  EXPECT_EQ(RegistryLookup(FileRegistry, 6), nullptr);
  HANDLE alone = CreateFileA(shared.path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(alone, INVALID_HANDLE_VALUE);
  CloseHandle(alone);
}

// Closing, and opening again under a number in use, give back what the open
// took.
TEST(FileOpening, CloseGivesBackWhatOpenTook) {
  TempFile file(".csv", "a\n");
  SIZE_T heapUse = HeapBytesInUse(ProgramHeap);
  for (int round = 0; round < 3; round++) {
    ASSERT_NE(FileOpen(0, file.path()), nullptr);
    ASSERT_NE(FileOpen(0, file.path()), nullptr);
    FileClose(0);
  }
  EXPECT_EQ(HeapBytesInUse(ProgramHeap), heapUse);
}

struct ShareCase {
  const char *what;
  DWORD access;
  DWORD shareMode;
  bool opens;
};

HANDLE OpenBeside(const char *path, const ShareCase &c) {
  return CreateFileA(path, c.access, c.shareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The viewer only reads, and lets others read and write: whoever shares
// reading with it can open the file beside it, in either order.
TEST(FileOpening, SharesReadingAndWriting) {
  const ShareCase cases[] = {
      {"another reader", GENERIC_READ, FILE_SHARE_READ, true},
      {"another reader that allows writing", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {"a writer that lets others read", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {"a reader that shares nothing", GENERIC_READ, 0, false},
  };
  TempFile file(".csv", "first\nsecond\n");
  for (const ShareCase &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(FileOpen(0, file.path()), nullptr);
    EXPECT_EQ(LineRead(0), "first");
    HANDLE other = OpenBeside(file.path(), c);
    EXPECT_EQ(other != INVALID_HANDLE_VALUE, c.opens);
    EXPECT_EQ(LineRead(0), "second");
    FileClose(0);
    if (other != INVALID_HANDLE_VALUE) {
      CloseHandle(other);
    }
  }

  // A program holding the file for writing while it lets others read, as a
  // spreadsheet does; and one that lets nobody in.
  const ShareCase holders[] = {
      {"held for writing, reading shared", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, true},
      {"held for reading, reading shared", GENERIC_READ, FILE_SHARE_READ, true},
      {"held for reading, nothing shared", GENERIC_READ, 0, false},
  };
  for (const ShareCase &c : holders) {
    SCOPED_TRACE(c.what);
    HANDLE holder = OpenBeside(file.path(), c);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FileOpen(0, file.path()) != nullptr, c.opens);
    if (c.opens) {
      EXPECT_EQ(LineRead(0), "first");
    }
    FileClose(0);
    CloseHandle(holder);
  }
}

TEST(FileOpening, ReadOnlyFileIsRead) {
  TempFile file(".csv", "a\n");
  file.MakeReadOnly();
  SKIP_UNLESS_READ_ONLY_ENFORCED(file.path());
  ASSERT_NE(FileOpen(0, file.path()), nullptr);
  EXPECT_EQ(LineRead(0), "a");
  EXPECT_EQ(FileAtEnd(0), 1);
  FileClose(0);
}

// Paths of MAX_PATH characters or more are given their long form; shorter
// ones, and ones that are device paths already, are opened as they stand.
TEST(FilePath, LongPathsGetTheirLongForm) {
  const std::wstring folder(130, L'd');
  const std::wstring tail = folder + L"\\" + folder + L"\\x.csv";
  const struct {
    std::wstring path;
    std::wstring form; // empty: none
  } cases[] = {
      {L"C:\\Daten\\x.csv", L""},
      {L"C:\\" + std::wstring(252, L'x') + L".csv", L""}, // 259 characters
      {L"C:\\" + tail, L"\\\\?\\C:\\" + tail},
      {L"\\\\server\\share\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail},
      {L"\\\\?\\C:\\" + tail, L""},
      {L"\\\\.\\C:\\" + tail, L""},
#ifdef _WIN32
      // Full and plain first: the long form takes the path as it stands.
      {L"C:/" + folder + L"/../" + folder + L"/" + folder + L"/x.csv", L"\\\\?\\C:\\" + tail},
#endif
  };
  for (const auto &c : cases) {
    wchar_t *form = FilePathLongForm(c.path.c_str());
    EXPECT_EQ(form ? std::wstring(form) : std::wstring(), c.form) << c.path.size();
    if (form) {
      HeapFree(ProgramHeap, 0, form);
    }
  }
}

} // namespace
