// The run of a search: Start, Pause, Resume, Stop and the completion watcher.
#ifndef SORVANE_RUN_CONTROL_H
#define SORVANE_RUN_CONTROL_H

#include <windows.h>

void StartSearch();
void PauseSearch();
void ResumeSearch();
void StopSearch();
DWORD WINAPI WatchSearch(LPVOID);
// The watcher has put the controls back (WM_SEARCH_ENDED, UI thread).
void OnSearchEnded();

#endif
