// Wide text from the platform (a command line, a drop, the file dialog) in
// the code page the toolkit's 8-bit texts use.
#pragma once
#include <cstdint>

// The text as the code page spells it, as a string result at pos; a null
// text is the empty text. A character the page lacks becomes the page's
// look-alike or default character, as the platform's 8-bit calls give it.
void StrFromWide(const wchar_t *text, int32_t pos);
