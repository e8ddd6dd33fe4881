// The copy progress window (dialog 500) and the two progress routines of a send.
#ifndef SORVANE_PROGRESS_WINDOW_H
#define SORVANE_PROGRESS_WINDOW_H

#include <windows.h>

#include <cstdint>

#include "send_text.h"

// What the progress routines of one send keep between reports; the send thread owns it and
// passes it as the copy's caller data.
struct SendProgress {
    HWND window;             // the progress window of this send
    uint64_t startedBytes;   // sizes of the files whose copy has started, the current one included
    SpeedSample sample;      // where the last speed measure ended; zeroed after every copy attempt
    int shownPercent;        // the percentage last passed to the window, -1 before the first report
    bool userCancelled;      // a report acted on the Cancel button
};

INT_PTR CALLBACK ProgressDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Progress routines of the copy of one file and of a send of all files.
DWORD CALLBACK CopyProgressSingle(LARGE_INTEGER totalSize, LARGE_INTEGER totalDone, LARGE_INTEGER streamSize,
                                  LARGE_INTEGER streamDone, DWORD stream, DWORD reason, HANDLE source,
                                  HANDLE target, LPVOID data);
DWORD CALLBACK CopyProgressList(LARGE_INTEGER totalSize, LARGE_INTEGER totalDone, LARGE_INTEGER streamSize,
                                LARGE_INTEGER streamDone, DWORD stream, DWORD reason, HANDLE source,
                                HANDLE target, LPVOID data);

// The send thread's requests to the window: the status text of the file about to be copied, and
// the latest of everything shown at once (before the last pause of a send).
void SetProgressStatus(SendProgress *send, const char *text);
void FlushProgress(SendProgress *send);

// Called as a send starts, before its window opens. A Cancel pressed when no report followed (during the last half second
// of a send, or while a copy failed before reporting) must not stop this send: it is dropped.
void BeginProgress();
// "The copying operation has been cancelled", owned by the progress window; on the send thread.
void ShowCancelledMessage(HWND progressWindow);

#endif
