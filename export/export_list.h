// Writing the result list to a text file. One export thread, started at the first Export List
// command, serves each command in turn: its Save dialog, its file and its report. The lines
// come from the UI thread, one request (WM_EXPORT_LINE) per line.
#ifndef SORVANE_EXPORT_LIST_H
#define SORVANE_EXPORT_LIST_H

#include <windows.h>

// The requests of WM_EXPORT_LINE, in wParam.
enum { EXPORT_BEGIN = 0,   // a command is taken up: its list becomes the one to read
       EXPORT_NEXT = 1 };  // lParam: a buffer of kLineBytes for the next line

// Command 181, on the UI thread: the current list is to be exported.
void StartExport();
// WM_EXPORT_LINE, on the UI thread.
LRESULT ServeExportRequest(WPARAM request, LPARAM line);
// A confirmed close, on the UI thread: waits while an export writes its file, serving its
// requests; from here on no export starts writing or shows its report.
void EndExportBeforeExit();

#endif
