// What a load asks of the window while it runs: a wait cursor, the rows read
// so far in the title, and the window kept alive, hearing Esc, the close box
// and "Ende". Part of the loader's seam (app/loader_calls.h), so free of
// platform types.
#pragma once
#include <cstdint>

enum : int32_t {
  LOAD_GO_ON = 0,
  LOAD_STOP_ASKED = 1, // Esc: the load stops and says how many rows it read
  LOAD_QUIT_ASKED = 2, // close box or "Ende": the load stops and the loop ends the program
};

// Before the list is emptied, which may take long itself.
void LoadProgressBegin();
// After each line read, with the rows the list took so far; cheap unless it
// is time to handle the window's messages.
int32_t LoadProgressStep(int32_t rows);
// After the file is closed, before any message.
void LoadProgressEnd();

// Other long work on the list (a sort, a search) keeps the window alive the
// same way, with the text in the title instead of the rows read; the list
// stays held until the end, which shows it once.
void LoadProgressBeginWork(const char *title);
// A step of work whose steps are coarse: looks at the clock at once.
int32_t LoadProgressCheck();
