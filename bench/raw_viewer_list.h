// The viewer's list built with platform calls alone: the baseline the
// benchmarks measure the toolkit's list against.
#pragma once
#include <windows.h>

HWND RawViewerListCreate(HWND parent, HINSTANCE instance);
