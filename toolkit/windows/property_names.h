// Every window property the toolkit sets; all carry the prefix "QX_".
#pragma once

// Window number + 1 on every toolkit window, so that no property never names
// window 0.
#define WINDOW_ID_PROPERTY "QX_WindowID"
// The gadget number on every registered control.
#define GADGET_ID_PROPERTY "QX_ID"
// The saved gadget-list state of a window that has been current; the format
// takes the module instance as a decimal integer.
#define GADGET_STACK_PROPERTY_FORMAT "QX_GadgetStack_%lld"
// A list view's measured row, kept until its font changes.
#define LIST_VIEW_RECT_TOP_PROPERTY "QX_RectTop"
#define LIST_VIEW_RECT_BOTTOM_PROPERTY "QX_RectBottom"
// The row a list view last reported selected, -1 after the report.
#define LIST_VIEW_LAST_SELECTED_PROPERTY "QX_LastSelected"
