// Generic item operations: each reaches the gadget's type through its table.
#include "toolkit/gadgets/gadget_items.h"

#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/list_view_internal.h"

static GadgetRecord *GadgetLookup(ObjectId number) {
  return static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
}

void GadgetItemsClear(ObjectId number) {
  GadgetRecord *gadget = GadgetLookup(number);
  if (gadget && gadget->operations->ClearItems) {
    gadget->operations->ClearItems(gadget);
  }
}

int32_t GadgetItemAdd(ObjectId number, int32_t position, const char *text) {
  if (!text) {
    text = "";
  }
  GadgetRecord *gadget = GadgetLookup(number);
  if (!gadget) {
    return 0;
  }
  if (gadget->operations->AddItemExtended) {
    return gadget->operations->AddItemExtended(gadget, position, text, 0, 0);
  }
  if (gadget->operations->AddItem) {
    return gadget->operations->AddItem(gadget, position, text, 0);
  }
  return 0;
}

int32_t GadgetItemAddWide(ObjectId number, int32_t position, const char16_t *text) {
  GadgetRecord *gadget = GadgetLookup(number);
  if (!gadget || gadget->operations != &ListViewOps) {
    return 0;
  }
  return ListViewAddItemWide(gadget, position, text ? text : u"");
}

int32_t GadgetItemsCount(ObjectId number) {
  GadgetRecord *gadget = GadgetLookup(number);
  if (gadget && gadget->operations->CountItems) {
    return gadget->operations->CountItems(gadget);
  }
  return 0;
}

int32_t ListViewAddColumn(ObjectId number, int32_t position, const char *title, int32_t width) {
  if (!title) {
    title = "";
  }
  GadgetRecord *gadget = GadgetLookup(number);
  if (gadget && gadget->operations->AddColumn) {
    return gadget->operations->AddColumn(gadget, position, title, width);
  }
  return 0;
}
