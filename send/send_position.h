// Where a Send All and an export stand in the result list. The window thread alone reads and
// moves their positions: each worker asks for its next line once it is done with the one before,
// and only the user's Remove or Delete shifts them. So a send copies, and an export writes,
// exactly the lines that stay in the list, whatever the user removes meanwhile; lines appended
// after its start are not reached.
#ifndef SORVANE_SEND_POSITION_H
#define SORVANE_SEND_POSITION_H

#include <windows.h>

#include "../app/line_format.h"

struct SendLine {
    bool taken;            // a line was handed out; false: the send has reached its end
    bool readable;         // the text fits in line (always, for lines the program writes)
    int reached;           // lines handed out by this send so far, this one included
    char line[kLineBytes];
};

// Window thread. The send starts at the first line of list; returns the count of lines now in
// it, the most the send will reach.
int BeginSendPosition(HWND list);
void EndSendPosition();
// Hands out the next line, or taken false when none is left or a new search replaced the list.
void TakeNextSendLine(SendLine *out);

// Window thread. The export starts at the first line of list.
void BeginExportPosition(HWND list);
// The index of the next line to write, or -1 when none is left or a new search replaced the list.
int TakeExportIndex();

// Window thread. The user removed line index of list (Remove or Delete): both positions keep
// to their lines.
void MovePositionsForRemovedLine(HWND list, int index);

// Send thread: asks the progress window for the next line and waits for the answer.
bool AskNextSendLine(HWND progressWindow, SendLine *out);

#endif
