// Push button, label and one-line text field.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/object_registry.h"

HWND ButtonCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text);
HWND ButtonCreateEx(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                    uint32_t flags);
HWND LabelCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text);
HWND LabelCreateEx(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                   uint32_t flags);
HWND TextFieldCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text);
HWND TextFieldCreateEx(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                       uint32_t flags);

void GadgetTextGet(ObjectId number, int32_t pos);
// Sets the text as if typed: a text field reports the change as usual.
void GadgetTextSet(ObjectId number, const char *text);

// Label and text field type words.
enum { COLORED_BACK_COLOR = 0, COLORED_TEXT_COLOR = 1, COLORED_BACK_BRUSH = 2 };
extern WNDPROC TextFieldClassProc;
LRESULT CALLBACK TextFieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
