// Reading the command line in wide characters: Explorer passes names the code
// page cannot spell (ā.csv), which the 8-bit command line would turn into a
// look-alike of another file's name.
#include "app/command_line.h"

#include <cwchar>
#include <windows.h>
#include <shellapi.h>

#include "toolkit/strings/string_wide.h"

// Matched whatever its letter case, as the platform's own options are.
static const wchar_t SEPARATOR_OPTION[] = L"/sep:";
static const size_t SEPARATOR_OPTION_LENGTH = sizeof SEPARATOR_OPTION / sizeof SEPARATOR_OPTION[0] - 1;

void CommandLineRead(CommandLine *line) {
  int count = 0;
  line->arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  line->separator = nullptr;
  line->file = nullptr;
  // The first argument is the program's own name.
  for (int index = 1; line->arguments && index < count; index++) {
    const wchar_t *argument = line->arguments[index];
    if (_wcsnicmp(argument, SEPARATOR_OPTION, SEPARATOR_OPTION_LENGTH) == 0) {
      line->separator = argument + SEPARATOR_OPTION_LENGTH;
    } else if (!line->file) {
      line->file = argument;
    }
  }
}

void CommandLineFree(CommandLine *line) {
  LocalFree(line->arguments);
  line->arguments = nullptr;
}

void CommandLineSeparatorText(const CommandLine *line, int32_t pos) {
  StrFromWide(line->separator, pos);
}
