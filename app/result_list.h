// The result list: its creation at each search start, the selection and the item actions,
// the numbering thread, and the paced repaint of the list while lines pour in.
#ifndef SORVANE_RESULT_LIST_H
#define SORVANE_RESULT_LIST_H

#include <windows.h>

void ResetResultList();
void UpdateSelection();
// A line of the current list is selected (g_selectedPath): only such a line is acted on or sent.
bool HaveSelection();
void OpenSelectedFile();
void OpenParentFolder();
void ShowFileProperties();
void RemoveSelectedLine();
void DeleteSelectedFile();
// Command 129: starts ToggleFileNumbers on the current list unless a pass still runs.
void StartNumberingPass();
DWORD WINAPI ToggleFileNumbers(LPVOID list);

// Paced repaint, UI thread only. While a search appends (SetSearchPacing) or a numbering pass
// rewrites lines (WM_LIST_BUSY from its thread, lParam the list) the list and the status line
// do not redraw at each change; a timer repaints them instead, and the end of the burst repaints
// them in full.
void SetSearchPacing(bool on);
void SetListBusy(bool busy, HWND list);
void OnListPaceTimer(UINT_PTR timerId);

#endif
