// The title of a numbered window.
#pragma once
#include "toolkit/core/object_registry.h"

// Does nothing for a number that names no open window; null is the empty text.
void WindowTitleSet(ObjectId number, const char *title);
// The title as it stands, in wide characters, is kept until
// WindowTitleRestore puts it back, so that work which shows its progress
// in the title leaves it as it found it. One title is kept at a time.
void WindowTitleKeep(ObjectId number);
// Puts the kept title back (the empty text when none could be kept).
void WindowTitleRestore(ObjectId number);
