// Sorvane: finds media files on the ticked drives or in one folder, lists them live, and opens,
// reveals, deletes, sends (copies) and exports them.
//
// Architecture
//
// Modules. app/ holds the entry point (this file), the main window (main_window.cpp), what every
// window shares (controls.cpp), the menus and the one command dispatch (commands.cpp), the result
// list with its item actions and the numbering thread (result_list.cpp), and the program-wide state
// (state.h, the only header that declares shared variables). settings/ holds the search settings
// record, the advanced settings dialog and the settings file; search/ the drive lists, the walker
// with its match rule and the run control of a search; send/ the send engine, the program's own
// file copy (used only where the system's copy reports no progress, as under Wine; decided once
// at start) and the progress window; export/ the list export. line_format.cpp, elapsed.cpp,
// ansi_path.cpp (paths in the ANSI code page), drive_list.cpp, match.cpp, search_text.cpp,
// search_settings.cpp, settings_format.cpp, send_text.cpp and export_rules.cpp hold logic that
// needs no window; they are built for the host as well and unit-tested there.
//
// Ownership. Every window and control belongs to this, the first thread: the main window, the
// modal advanced settings dialog (inside its own modal loop) and the modeless progress window
// (through IsDialogMessageA below). The result list is the only store of search results.
// The search settings are written on this thread only, and only while no search runs; each search
// takes a copy at its start for its walkers.
//
// Threads. A search runs one walker per root and a watcher that waits for them; a send runs one
// send thread; numbering runs a thread per pass. The watcher and the export show windows (the
// report box, the Save dialog) on threads of their own, and under Wine a thread that has shown a
// window keeps some memory after it ends: so one watcher serves search after search (another
// only while it still shows the report before), and one export thread serves each Export List
// command in turn. Both dispatch what reaches them while they wait (WaitDispatchingMessages), as
// every thread that has shown a window must. No worker touches a control itself: walkers, the
// watcher, numbering and export ask this thread with SendMessage, which runs the request here and
// waits for it; so do the send thread for each next line to copy and the export thread for each
// next line to write, this thread keeping their places in the list (send_position.h). For its
// progress the send thread leaves its latest figures under a small lock, never held while it
// sends, and posts one refresh message. The one lock around numbering and appending a found file
// is taken by walkers only, never by this thread. Workers are never suspended or killed: a pause
// holds walkers at safe points on an event, a stop lets them unwind, and closing hides the
// windows, then, during a send, asks the copy to abort and waits for it briefly while still
// serving sent messages; during an export it waits the same way until the file is whole.
//
// Pace. While lines pour in, the result list and the status line do not redraw at each change;
// a timer repaints what changed ten times a second, whatever the user scrolled, selected or
// uncovered in the list included, and a full repaint follows when the search ends, pauses or
// stops (result_list.cpp).

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "controls.h"
#include "main_window.h"
#include "state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    g_instance = instance;
    // An empty card reader or floppy drive fails its walker's listing at once, instead of holding
    // the walker behind the system's "no disk" box.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    // The progress bar class must be registered before the first send opens its window.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    // The folder browsers (new dialog style) need COM on the thread that shows them.
    OleInitialize(NULL);

    if (!RegisterMainWindowClass(instance))
        return 0;
    g_mainWindow = CreateWindowExA(0, "Sorvane", "Sorvane", WS_OVERLAPPEDWINDOW, 200, 50, 950, 710,
                                   NULL, NULL, instance, NULL);
    if (!g_mainWindow) {
        MessageBoxA(NULL, "Window Creation Failed!", kAppCaption, MB_ICONWARNING);
        return 0;
    }
    ShowWindow(g_mainWindow, showCommand);
    UpdateWindow(g_mainWindow);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (g_progressWindow && IsDialogMessageA(g_progressWindow, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
