// Replaces the program's import of a platform function, so that a test can
// see exactly what the toolkit passes to it, or have the platform refuse.
#pragma once

// Returns the function that was imported before, or null when the program
// does not import it.
void *ImportReplace(const char *dllName, const char *functionName, void *replacement);
