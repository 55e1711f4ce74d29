// The one zero-filled state record a toolkit library keeps for the process.
#pragma once
#include <cstdint>

typedef void (*LibraryStateInitialiser)(void *record);

void *LibraryStateCreate(int32_t size, LibraryStateInitialiser initialiser);
void *LibraryStateGet(void *record);

// The same, typed by the record each library keeps.
template <typename State> State *LibraryStateCreate(LibraryStateInitialiser initialiser) {
  return static_cast<State *>(LibraryStateCreate(static_cast<int32_t>(sizeof(State)), initialiser));
}
template <typename State> State *LibraryStateGet(State *record) {
  return static_cast<State *>(LibraryStateGet(static_cast<void *>(record)));
}
