// The viewer's command line: csvview.exe [/sep:TEXT] [FILE].
#pragma once
#include <cstdint>

struct CommandLine {
  wchar_t **arguments;      // split by the platform's rules; CommandLineFree releases them
  const wchar_t *separator; // the text after the last "/sep:", or null without one
  const wchar_t *file;      // the first other argument after the program's name, or null
};

void CommandLineRead(CommandLine *line);
void CommandLineFree(CommandLine *line);
// The separator in the code page, as a string result at pos.
void CommandLineSeparatorText(const CommandLine *line, int32_t pos);
