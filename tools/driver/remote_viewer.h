// Driving a running viewer from another process, as a user would: its window
// and gadgets, the file dialog and message boxes it opens, its list's rows.
// The driver must be built for the same processor as the viewer, since the
// list's records are read from the viewer's memory in their native layout.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

struct RemoteViewer {
  PROCESS_INFORMATION process;
  HWND window; // the viewer's main window, found by its toolkit class
};

enum RemoteDialogKind { REMOTE_DIALOG_FILE, REMOTE_DIALOG_MESSAGE, REMOTE_DIALOG_FIND };

// A path given in the form of the system the driver was started from: a
// Unix path (as the build passes it under Wine) becomes one on drive Z:.
std::string RemotePathFromArgument(const char *path);

// Starts the program and waits until its window is complete and it waits
// for events; 0 on failure. The arguments follow the program's quoted name
// on its command line, in wide characters so that any name can be passed;
// an empty folder leaves the current folder to the system.
int32_t RemoteViewerStart(RemoteViewer *viewer, const std::string &exePath, DWORD timeoutMs,
                          const std::wstring &arguments = std::wstring(), const std::wstring &folder = std::wstring());
// Waits for the process to end; its exit code, or STILL_ACTIVE on timeout.
DWORD RemoteViewerWaitExit(RemoteViewer *viewer, DWORD timeoutMs);
// Ends the process if it still runs and closes the handles.
void RemoteViewerRelease(RemoteViewer *viewer);

HWND RemoteViewerGadget(const RemoteViewer *viewer, int32_t number);
// A left click in the middle of the control, posted as mouse messages so that
// the viewer's own event loop fetches and dispatches them.
void RemoteClick(HWND control);
std::string RemoteWindowText(HWND window);
void RemoteSetText(HWND window, const std::string &text);

// A visible dialog window ("#32770") of the viewer's process, or null.
HWND RemoteViewerDialog(const RemoteViewer *viewer, RemoteDialogKind kind);
HWND RemoteViewerWaitDialog(const RemoteViewer *viewer, RemoteDialogKind kind, DWORD timeoutMs);
// Waits until the window is hidden or gone; 0 on timeout. A closing file
// dialog loses its children before it goes and would pass for a message box.
int32_t RemoteWindowWaitHidden(HWND window, DWORD timeoutMs);
// Waits until no dialog of the kind is shown; 0 on timeout.
int32_t RemoteViewerWaitDialogGone(const RemoteViewer *viewer, RemoteDialogKind kind, DWORD timeoutMs);
// Types the name into the file dialog's name box and presses its button.
void RemoteFileDialogChoose(HWND dialog, const std::string &path);
// The same with a name the code page cannot spell.
void RemoteFileDialogChoose(HWND dialog, const std::wstring &path);
void RemoteFileDialogCancel(HWND dialog);
std::string RemoteFileDialogName(HWND dialog);
// The message box's text (its static texts, joined by line feeds).
std::string RemoteMessageText(HWND box);
void RemoteMessageConfirm(HWND box);

// The Find dialog given the text and options, and its Find Next pressed.
void RemoteFindDialogSearch(HWND dialog, const std::wstring &text, bool matchCase, bool down);
// The text typed into the dialog's emptied text box as keyboard input of
// its characters (not of keys); 0 when the box could not get the focus.
int32_t RemoteFindDialogType(HWND dialog, const std::wstring &text);
std::wstring RemoteFindDialogText(HWND dialog);

// The list's rows and columns, read from the viewer's memory.
int32_t RemoteListCount(HWND list);
std::string RemoteListCell(const RemoteViewer *viewer, HWND list, int32_t row, int32_t column);
std::vector<std::vector<std::string>> RemoteListRows(const RemoteViewer *viewer, HWND list, int32_t columns);
// The same read as the control's UTF-16 (LVM_GETITEMTEXTW).
std::vector<std::vector<std::wstring>> RemoteListRowsWide(const RemoteViewer *viewer, HWND list, int32_t columns);
int32_t RemoteListColumnCount(HWND list);
// The column's title and width; 0 when the list has no such column.
int32_t RemoteListColumn(const RemoteViewer *viewer, HWND list, int32_t column, std::string *title, int32_t *width);

// A click on the column's header, posted as mouse messages.
void RemoteListHeaderClick(const RemoteViewer *viewer, HWND list, int32_t column);
// The header's sort arrow on the column: 1 up, -1 down, 0 none.
int32_t RemoteListSortArrow(const RemoteViewer *viewer, HWND list, int32_t column);
// A header click waited for until the column's arrow changed (a finished
// sort always changes it): the new arrow, or 2 on timeout.
int32_t RemoteListSortBy(const RemoteViewer *viewer, HWND list, int32_t column, DWORD timeoutMs);

// Drops the files on the window as the desktop would: a wide DROPFILES block,
// placed in the viewer's memory, handed over with WM_DROPFILES. 0 on failure.
int32_t RemoteDropFiles(const RemoteViewer *viewer, HWND window, const std::vector<std::wstring> &names);

// Sets or clears the selection of a row of the list (-1: every row).
void RemoteListSelect(const RemoteViewer *viewer, HWND list, int32_t row, bool selected);

// A key pressed (with Ctrl held if asked) as real keyboard input, which sets
// the key state the viewer reads. The viewer's window is brought to the
// foreground first, so that no other program takes the keys, and the control
// gets the focus. 0 when either could not be done.
int32_t RemoteKeyPress(const RemoteViewer *viewer, HWND control, WORD key, bool withControl);
// The same with another modifier held (VK_SHIFT, VK_CONTROL), or none (0).
int32_t RemoteKeyPressWith(const RemoteViewer *viewer, HWND control, WORD modifier, WORD key);
// Brings the viewer's window to the foreground and gives the control the
// keyboard focus, as RemoteKeyPress does first; 0 when that cannot be done.
int32_t RemoteViewerFocus(const RemoteViewer *viewer, HWND control);

// The clipboard's text in both forms, up to their NUL; 0 when it holds no
// text or cannot be opened.
int32_t RemoteClipboardRead(std::string *bytes, std::wstring *wide);
// Puts a text on the clipboard (CF_TEXT alone); 0 on failure.
int32_t RemoteClipboardPut(const std::string &bytes);
// Waits until the clipboard changed after the sequence number given and can
// be read (the copying program has closed it); 0 on timeout.
int32_t RemoteClipboardWaitChange(DWORD sequence, DWORD timeoutMs);

// The process's top-level windows, for failure messages.
std::string RemoteViewerDescribeWindows(const RemoteViewer *viewer);

// One "Start" press answered with the path and the message that follows
// confirmed: its text (and title), or the empty text when no message came.
std::string RemoteViewerLoad(const RemoteViewer *viewer, const std::string &path, DWORD timeoutMs,
                             std::string *title = nullptr);
// The message box that comes within the time, confirmed: its text (and
// title), or the empty text when none came.
std::string RemoteViewerConfirmMessage(const RemoteViewer *viewer, DWORD timeoutMs, std::string *title = nullptr);

// A load begun and not waited for: "Start" pressed, the path chosen, the
// dialog gone; 0 when the dialog did not come or go.
int32_t RemoteViewerBeginLoad(const RemoteViewer *viewer, const std::string &path, DWORD timeoutMs);
// A key pressed and released in the control that has the viewer's keyboard
// focus (the window itself when none has), as posted keyboard messages.
void RemoteViewerKeyPost(const RemoteViewer *viewer, WPARAM key);
// The same for one key message: a press, an auto-repeat of a key held down
// (bit 30 set), or the release.
enum RemoteKeyKind { REMOTE_KEY_PRESS, REMOTE_KEY_REPEAT, REMOTE_KEY_RELEASE };
void RemoteViewerKeyMessage(const RemoteViewer *viewer, WPARAM key, RemoteKeyKind kind);
// Milliseconds the window took to answer WM_NULL, or -1 when it did not
// answer within the timeout.
int32_t RemoteWindowProbe(HWND window, DWORD timeoutMs);
// Waits until the window's title is not empty, or not the one given; the
// title, or the one given on timeout.
std::string RemoteWindowWaitTitle(HWND window, DWORD timeoutMs, const std::string &other = std::string());
