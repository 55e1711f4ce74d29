// Sorting the viewer's list by a column on a click on its header: up, down,
// then back to the file's order.
#pragma once
#include <cstdint>

// A header click; the rows are sorted when it returns, or left as they were
// when Esc stopped the sort. A close or "Ende" meanwhile stays queued for the
// loop, which ends the program.
void ListSortClick(int32_t column);
// A new load: the file's order, no arrow.
void ListSortForget();
