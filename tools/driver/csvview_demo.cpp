// A short demonstration of the viewer for scripts/run: loads a file through
// the file dialog and pauses twice so that the screen can be photographed,
// with the count message up and after it was confirmed, then presses "Ende".
// Usage: csvview_demo <csvview.exe> <file.csv> <folder for the handshake files>
// In the folder it creates "message-shown" and waits for "message-shot", then
// "list-shown" and waits for "list-shot"; it ends with the viewer's exit code.
#include <cstdio>
#include <string>
#include <windows.h>

#include "app/viewer_numbers.h"
#include "tools/driver/remote_viewer.h"

static const DWORD DEMO_WAIT_MS = 30000;
// Gives the person watching (and the screen) time to follow each step.
static const DWORD DEMO_PAUSE_MS = 400;

static void DemoHandshake(const std::string &folder, const char *shown, const char *shot) {
  std::FILE *marker = std::fopen((folder + "\\" + shown).c_str(), "w");
  if (marker) {
    std::fclose(marker);
  }
  std::string answer = folder + "\\" + shot;
  for (DWORD waited = 0; waited < DEMO_WAIT_MS; waited += 50) {
    if (GetFileAttributesA(answer.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return;
    }
    Sleep(50);
  }
}

static int DemoFail(RemoteViewer *viewer, const char *what) {
  std::fprintf(stderr, "csvview_demo: %s\n", what);
  RemoteViewerRelease(viewer);
  return 1;
}

int main(int argc, char **argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <csvview.exe> <file.csv> <handshake folder>\n", argv[0]);
    return 2;
  }
  std::string csvPath = RemotePathFromArgument(argv[2]);
  std::string folder = RemotePathFromArgument(argv[3]);
  RemoteViewer viewer;
  if (!RemoteViewerStart(&viewer, RemotePathFromArgument(argv[1]), DEMO_WAIT_MS)) {
    return DemoFail(&viewer, "the viewer did not open its window");
  }
  Sleep(DEMO_PAUSE_MS);
  RemoteClick(RemoteViewerGadget(&viewer, GADGET_START));
  HWND dialog = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_FILE, DEMO_WAIT_MS);
  if (!dialog) {
    return DemoFail(&viewer, "no file dialog");
  }
  Sleep(DEMO_PAUSE_MS);
  RemoteFileDialogChoose(dialog, csvPath);
  HWND box = RemoteViewerWaitDialog(&viewer, REMOTE_DIALOG_MESSAGE, DEMO_WAIT_MS);
  if (!box) {
    return DemoFail(&viewer, "no count message");
  }
  std::printf("csvview_demo: %s\n", RemoteMessageText(box).c_str());
  Sleep(DEMO_PAUSE_MS);
  DemoHandshake(folder, "message-shown", "message-shot");
  RemoteMessageConfirm(box);
  RemoteViewerWaitDialogGone(&viewer, REMOTE_DIALOG_MESSAGE, DEMO_WAIT_MS);
  Sleep(DEMO_PAUSE_MS);
  DemoHandshake(folder, "list-shown", "list-shot");
  RemoteClick(RemoteViewerGadget(&viewer, GADGET_END));
  DWORD exitCode = RemoteViewerWaitExit(&viewer, DEMO_WAIT_MS);
  RemoteViewerRelease(&viewer);
  std::printf("csvview_demo: viewer ended with exit code %lu\n", exitCode);
  return static_cast<int>(exitCode);
}
