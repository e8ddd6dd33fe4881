// The program-wide state. Every variable the modules share is declared here, once.
// Flags that worker threads read or write are atomics: each is one value written in one store,
// so a reader sees the new value or the one before it, never a torn one.
#ifndef SORVANE_STATE_H
#define SORVANE_STATE_H

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "ansi_path.h"
#include "../search/drives.h"
#include "../settings/search_settings.h"
#include "line_format.h"

enum SearchStateValue { SEARCH_IDLE = 0, SEARCH_RUNNING = 1, SEARCH_PAUSED = -1, SEARCH_STOPPING = -2 };

// Messages of the program's own that pass between its modules; those of one file stay in it.
// To the main window:
#define WM_CLOSE_PROGRESS   (WM_APP + 2)   // a send has ended: destroy the progress window; wParam, lParam
                                           // the counts of WM_SEND_REPORT
#define WM_LIST_BUSY        (WM_APP + 3)   // wParam 1: a burst of list changes begins, 0: it ends; lParam: the list
#define WM_SEARCH_ENDED     (WM_APP + 4)   // the watcher has put the controls back
#define WM_SEND_REPORT      (WM_APP + 5)   // after a send: wParam of the lParam lines it reached were not copied
#define WM_EXPORT_LINE      (WM_APP + 6)   // from the export thread: wParam EXPORT_BEGIN or EXPORT_NEXT (export_list.h)
// To the progress window, from the send thread:
#define WM_NEXT_SEND_LINE   (WM_APP + 21)  // lParam: the SendLine to fill (send_position.h)

extern HINSTANCE g_instance;                  // this module
extern HBRUSH g_whiteBrush;                   // white background of every window; kept for the process
extern HWND g_mainWindow;                     // the main window; owner of message boxes
extern std::atomic<int> g_searchState;        // SearchStateValue; written by run control only
extern std::atomic<bool> g_sending;           // a send is under way (raised before its thread starts)
extern std::atomic<bool> g_numbered;          // the list's lines carry the "(N) " prefix
extern char g_selectedPath[kLineBytes];       // path of the selected line, without prefix (UI thread)
extern int g_selectedIndex;                   // list index of the selected line, -1 for none (UI thread)
extern std::atomic<uint64_t> g_listedBytes;   // summed size of the listed files
extern std::atomic<int> g_foundCount;         // files listed by the current search
extern std::atomic<bool> g_listPaced;         // the list's redraw is off: a timer repaints it (result_list.cpp)
extern HWND g_progressWindow;                 // the open progress window, or NULL (UI thread)
extern HWND g_resultList;                     // the result list, NULL before the first search
extern HWND g_statusLine;                     // the status line above it, NULL before the first search
extern HWND g_startButton;                    // "Start Searching" / "Pause"
extern HWND g_advancedButton;                 // "Advanced Search..." / "Stop"
extern HWND g_mediaBoxes[3];                  // Images, Audio, Video
extern HWND *g_driveBoxes;                    // one per entry of g_searchDrives
extern DriveList g_searchDrives;              // fixed and removable drives, taken at start
extern DriveList g_sendDrives;                // removable drives, taken at each context menu
extern HMENU g_menuBar;                       // the menu bar; "&Export List" lives here
extern LeadBytes g_leadBytes;                 // lead bytes of the system's ANSI code page, fixed at start
extern SearchSettings g_settings;             // the search settings; written on the UI thread only while no
                                              // search runs, and copied by each search at its start

#endif
