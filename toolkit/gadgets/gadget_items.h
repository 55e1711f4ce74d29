// Generic item operations on a gadget, free of platform types so that code
// using them also builds without the user interface.
#pragma once
#include <cstdint>
#include "toolkit/core/object_registry.h"

void GadgetItemsClear(ObjectId number);
// 1 when the row went in; 0 when the gadget takes no rows or refused this one.
int32_t GadgetItemAdd(ObjectId number, int32_t position, const char *text);
// The same with a text decoded from a file, in UTF-16 code units: only a
// list view takes one.
int32_t GadgetItemAddWide(ObjectId number, int32_t position, const char16_t *text);
int32_t GadgetItemsCount(ObjectId number);
int32_t ListViewAddColumn(ObjectId number, int32_t position, const char *title, int32_t width);
