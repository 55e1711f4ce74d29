// The name of the class each toolkit window gets: the format with the window's
// number. Other programs find a toolkit window by it.
#pragma once

#define WINDOW_CLASS_NAME_FORMAT "WindowClass_%d"
