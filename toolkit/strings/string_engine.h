// String variables and the shared scratch buffer every string result is
// built in. Positions in the buffer are offsets: the buffer moves as it grows.
#pragma once
#include <cstdint>
#include <windows.h>

typedef char *StringVar; // null or an owned StringHeap block

extern HANDLE StringHeap;
extern char *ScratchBuffer;
extern int32_t ScratchPos;
extern int32_t ScratchCapacity;

// StringHeap and an empty scratch buffer; false when the platform refuses
// either.
bool StringEngineInit();

void StrInit(StringVar *variable, const char *text);
void StrAssign(StringVar *variable, const char *text);
void StrTakeScratch(StringVar *variable, int32_t pos);
int32_t StrEqual(const char *a, const char *b);
void StrAppendScratch(const char *text);
void StrFree(char *text);

// When the buffer has to grow it at least doubles, so that building a text of
// many megabytes by repeated reservations stays linear; where the doubled
// block cannot be had it grows to exactly what the reservation needs.
char *ScratchReserve(int32_t length, int32_t pos);
void ScratchRelease(int32_t count);
void ScratchSetPos(int32_t pos);
int32_t ScratchContains(const char *text);
// The engine has no error results: when StringHeap cannot supply a block the
// process ends here rather than write past a block that did not grow. It
// first calls the handler, if one is installed: the program's entry installs
// the application's, which tells the user and ends the process itself; the
// core knows no windows, so without a handler (or if it returns) the end is
// an abort.
typedef void (*StorageExhaustedHandler)();
extern StorageExhaustedHandler StringStorageExhaustedHandler;
[[noreturn]] void StringStorageExhausted();

// Address of an offset, formed right before use.
inline char *ScratchAt(int32_t pos) {
  return ScratchBuffer + pos;
}
