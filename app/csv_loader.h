// Fills the list with the rows of a delimited text file and reports the count.
#pragma once

// The separator is turned into the list's column break. Both arguments may be
// null (the empty text) and may lie anywhere, the scratch buffer included.
void LoadCsvFile(const char *path, const char *separator);
