// Paths in wide characters, as the platform's file calls take them.
#pragma once
#include <cstdint>
#include <windows.h>

// The longest path the wide file calls take, with its NUL.
enum : int32_t { FILE_PATH_CAPACITY = 32768 };

// The \\?\ form (\\?\UNC\ for a network path) of a path whose full form has
// MAX_PATH characters or more, which the file calls refuse otherwise unless
// both the program and the system allow long paths. A block from
// ProgramHeap for the caller to free; null for a shorter path (or one the
// form cannot name), which is opened as it stands.
wchar_t *FilePathLongForm(const wchar_t *path);
