// Placeholder until the search run lands.
#include "run_control.h"
void StartSearch() {}
void PauseSearch() {}
void ResumeSearch() {}
void StopSearch() {}
DWORD WINAPI WatchSearch(LPVOID) { return 0; }
