// The title of a numbered window.
#pragma once
#include "toolkit/core/object_registry.h"

// Does nothing for a number that names no open window; null is the empty text.
void WindowTitleSet(ObjectId number, const char *title);
