// Ctrl+C and Ctrl+A in a list: the selected rows copied out as text, and
// every row selected as one change.
//
// The copy is a TAB between columns and CR LF after each row, as code page
// 1252 bytes (CF_TEXT) and as UTF-16 (CF_UNICODETEXT). The control keeps the
// texts, not the gadget, so each cell is read from the control straight into
// the clipboard's block, one message a cell and no copy in between. The
// texts' length is only known once they are read, so that block grows by
// doubling and is cut to size at the end; the wide block is then sized once,
// since code page 1252 gives one UTF-16 unit a byte. A block that cannot grow
// ends the copy with the clipboard as it was, and the list reports
// GADGET_EVENT_COPY_FAILED: the text is never cut short. Fields are copied
// as they are, a TAB or line break inside one included.
//
// Selecting every row takes one message (row -1) with the list's redraw held
// until the next message is fetched. The control reports each row's change,
// and the list would post an event for each; those are counted instead, and
// one change is posted for the lot.
#include <climits>

#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/list_view_internal.h"

enum : UINT { LISTVIEW_COPY_CODE_PAGE = 1252 };
static const SIZE_T LISTVIEW_COPY_FIRST_SIZE = 64 * 1024;
// Another program may hold the clipboard for a moment (a clipboard viewer
// reading the last copy).
static const int LISTVIEW_CLIPBOARD_TRIES = 50;
static const DWORD LISTVIEW_CLIPBOARD_PAUSE_MS = 10;

// The CF_TEXT block being filled, locked while it is.
struct ListCopyText {
  HGLOBAL block;
  char *bytes;
  SIZE_T size; // bytes written, without the closing NUL
  SIZE_T capacity;
};

// Room for more bytes after those written; false when memory runs out.
static bool ListCopyReserve(ListCopyText *text, SIZE_T more) {
  SIZE_T capacity = text->capacity;
  while (capacity - text->size < more) {
    if (capacity > SIZE_MAX / 2) {
      return false;
    }
    capacity *= 2;
  }
  if (capacity == text->capacity) {
    return true;
  }
  GlobalUnlock(text->block);
  HGLOBAL grown = GlobalReAlloc(text->block, capacity, GMEM_MOVEABLE);
  if (grown) {
    text->block = grown;
    text->capacity = capacity;
  }
  text->bytes = static_cast<char *>(GlobalLock(text->block));
  return grown != nullptr;
}

// Appends one cell's text with room for the TAB or CR LF and the NUL behind
// it. The cell buffer grows while the control fills it whole, so a text
// longer than the list's longest known one is not cut either.
static bool ListCopyCell(HWND control, int32_t row, int32_t column, SIZE_T *cellSize, ListCopyText *text) {
  for (;;) {
    if (*cellSize > INT_MAX || !ListCopyReserve(text, *cellSize + 2)) {
      return false;
    }
    LVITEMA item = ListViewTextItem(row, column, text->bytes + text->size);
    item.cchTextMax = static_cast<int>(*cellSize);
    item.pszText[0] = '\0';
    SIZE_T length = static_cast<SIZE_T>(SendMessageA(control, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < *cellSize) {
      text->size += length;
      return true;
    }
    *cellSize *= 2;
  }
}

static bool ListCopyRows(HWND control, int32_t columns, SIZE_T cellSize, ListCopyText *text) {
  for (int32_t row = -1;
       (row = static_cast<int32_t>(SendMessageA(control, LVM_GETNEXTITEM, row, LVNI_SELECTED))) != -1;) {
    for (int32_t column = 0; column < columns; column++) {
      if (!ListCopyCell(control, row, column, &cellSize, text)) {
        return false;
      }
      text->bytes[text->size++] = column + 1 < columns ? '\t' : '\r';
    }
    text->bytes[text->size++] = '\n';
  }
  text->bytes[text->size] = '\0';
  return true;
}

// The selected rows as CF_TEXT, cut to size; null when memory runs out.
static HGLOBAL ListCopyBytes(GadgetRecord *gadget, int32_t columns) {
  ListCopyText text = {};
  text.capacity = LISTVIEW_COPY_FIRST_SIZE;
  text.block = GlobalAlloc(GMEM_MOVEABLE, text.capacity);
  if (!text.block) {
    return nullptr;
  }
  text.bytes = static_cast<char *>(GlobalLock(text.block));
  SIZE_T cellSize = static_cast<SIZE_T>(gadget->typeData[LISTVIEW_LONGEST_TEXT]) + 1;
  bool whole = ListCopyRows(gadget->window, columns, cellSize, &text);
  GlobalUnlock(text.block);
  if (!whole) {
    GlobalFree(text.block);
    return nullptr;
  }
  HGLOBAL fitted = GlobalReAlloc(text.block, text.size + 1, GMEM_MOVEABLE);
  return fitted ? fitted : text.block;
}

// The same text as CF_UNICODETEXT; null when memory runs out.
static HGLOBAL ListCopyWide(HGLOBAL bytesBlock) {
  const char *bytes = static_cast<const char *>(GlobalLock(bytesBlock));
  SIZE_T units = lstrlenA(bytes) + SIZE_T(1);
  HGLOBAL block = units <= INT_MAX ? GlobalAlloc(GMEM_MOVEABLE, units * sizeof(WCHAR)) : nullptr;
  if (block) {
    WCHAR *wide = static_cast<WCHAR *>(GlobalLock(block));
    MultiByteToWideChar(LISTVIEW_COPY_CODE_PAGE, 0, bytes, static_cast<int>(units), wide, static_cast<int>(units));
    GlobalUnlock(block);
  }
  GlobalUnlock(bytesBlock);
  return block;
}

// Hands both blocks to the clipboard, which owns what it takes; false when it
// refused one for want of memory (it is left empty rather than half set).
static bool ListCopyPublish(HWND owner, HGLOBAL bytes, HGLOBAL wide) {
  bool open = OpenClipboard(owner);
  for (int tries = 1; !open && tries < LISTVIEW_CLIPBOARD_TRIES; tries++) {
    Sleep(LISTVIEW_CLIPBOARD_PAUSE_MS);
    open = OpenClipboard(owner);
  }
  if (!open) {
    GlobalFree(bytes);
    GlobalFree(wide);
    return true; // held by another program: nothing to report as memory
  }
  EmptyClipboard();
  bool placed = SetClipboardData(CF_TEXT, bytes) != nullptr;
  if (!placed) {
    GlobalFree(bytes);
  }
  if (!placed || !SetClipboardData(CF_UNICODETEXT, wide)) {
    GlobalFree(wide);
    EmptyClipboard();
    placed = false;
  }
  CloseClipboard();
  return placed;
}

// False only when memory ran out; no selected row leaves the clipboard alone.
static bool ListViewCopySelected(GadgetRecord *gadget) {
  HWND control = gadget->window;
  int32_t columns = ListViewColumnCount(control);
  if (columns == 0 || ListViewFirstSelected(control) == -1) {
    return true;
  }
  HGLOBAL bytes = ListCopyBytes(gadget, columns);
  HGLOBAL wide = bytes ? ListCopyWide(bytes) : nullptr;
  if (!wide) {
    if (bytes) {
      GlobalFree(bytes);
    }
    return false;
  }
  return ListCopyPublish(control, bytes, wide);
}

static void ListViewSelectAll(GadgetRecord *gadget) {
  HWND control = gadget->window;
  if (GetWindowLongPtrA(control, GWL_STYLE) & LVS_SINGLESEL) {
    return;
  }
  ListViewRedrawHold(control);
  gadget->typeData[LISTVIEW_FLAGS] |= LISTVIEW_RECORD_CHANGES_HELD;
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  SendMessageA(control, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  bool changed = (gadget->typeData[LISTVIEW_FLAGS] & LISTVIEW_RECORD_CHANGE_MISSED) != 0;
  gadget->typeData[LISTVIEW_FLAGS] &= ~(LISTVIEW_RECORD_CHANGES_HELD | LISTVIEW_RECORD_CHANGE_MISSED);
  if (changed) {
    GadgetPostEvent(control, GADGET_EVENT_CHANGE);
  }
}

bool ListViewKeyCommand(HWND control, WPARAM key) {
  // Ctrl alone: Ctrl+Alt is AltGr, which types characters.
  if ((key != 'A' && key != 'C') || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 ||
      GetKeyState(VK_SHIFT) < 0) {
    return false;
  }
  ObjectId number = static_cast<ObjectId>(GetWindowLongPtrA(control, GWLP_ID));
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (!gadget) {
    return false;
  }
  if (key == 'A') {
    ListViewSelectAll(gadget);
  } else if (!ListViewCopySelected(gadget)) {
    GadgetPostEvent(control, GADGET_EVENT_COPY_FAILED);
  }
  return true;
}
