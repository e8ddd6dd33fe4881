// Sending files: the two submenus, the send commands and the send threads.
#ifndef SORVANE_SEND_ENGINE_H
#define SORVANE_SEND_ENGINE_H

#include <windows.h>

// Inserts "&Send To" and "&Send All To" at positions 4 and 5 of the context menu, with the
// removable drives of this moment.
void AddSendSubmenus(HMENU contextMenu);
// True when id is one of the send commands of the submenus last built.
bool IsSendCommand(int id);
void HandleSendCommand(int id);
// The close-progress message arrived: the progress window goes and the send is over. failed of
// the reached lines could not be copied; the report of them is posted to the main window.
void OnCloseProgress(int failed, int reached);
// "N of M file(s) could not be sent.", owned by the main window (WM_SEND_REPORT).
void ShowSendReport(int failed, int reached);
// A confirmed exit during a send: asks the copy to stop and remove its partial file, and waits
// for that (at most a few seconds) while still serving the send thread's messages.
void EndSendBeforeExit();

#endif
