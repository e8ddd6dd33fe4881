// The result list: its creation at each search start, the selection and the item actions,
// the numbering thread, and the paced repaint of the list while lines pour in.
#ifndef SORVANE_RESULT_LIST_H
#define SORVANE_RESULT_LIST_H

#include <windows.h>

void ResetResultList();
void UpdateSelection();
void OpenSelectedFile();
void OpenParentFolder();
void ShowFileProperties();
void RemoveSelectedLine();
void DeleteSelectedFile();
DWORD WINAPI ToggleFileNumbers(LPVOID);

// Begins (busy true) or ends a burst of list changes, on the UI thread. While any burst runs
// the list does not redraw at each change; a timer repaints it a few times a second instead.
void SetListBusy(bool busy);
void OnListPaceTimer();

#endif
