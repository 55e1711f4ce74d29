// Whether a text can be the name part of a file, as the dialog's preset.
#include "toolkit/requesters/requesters.h"

int32_t IsValidFileName(const char *text) {
  if (!text || !*text) {
    return 0;
  }
  for (const unsigned char *at = reinterpret_cast<const unsigned char *>(text); *at; ++at) {
    switch (*at) {
    case '"':
    case '*':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
    case '|':
      return 0;
    default:
      if (*at < 32) {
        return 0;
      }
    }
  }
  return 1;
}
