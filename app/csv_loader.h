// Fills the list with the rows of a delimited text file and reports the count.
#pragma once

// The separator is turned into the list's column break. Both texts may be
// null (the empty text) and may lie anywhere, the scratch buffer included.
// A wide path, for a name from the command line, a drop or the file dialog
// that the code page cannot spell, is opened instead of path; it is read
// only before the file is open.
void LoadCsvFile(const char *path, const char *separator, const wchar_t *widePath = nullptr);
