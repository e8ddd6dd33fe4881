// Placeholder until the result list lands: nothing to act on yet.
#include "result_list.h"
void ResetResultList() {}
void UpdateSelection() {}
void OpenSelectedFile() {}
void OpenParentFolder() {}
void ShowFileProperties() {}
void RemoveSelectedLine() {}
void DeleteSelectedFile() {}
DWORD WINAPI ToggleFileNumbers(LPVOID) { return 0; }
void SetListBusy(bool) {}
void OnListPaceTimer() {}
