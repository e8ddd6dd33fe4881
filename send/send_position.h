// Where a Send All stands in the result list. The window thread alone reads and moves the
// position: the send thread asks for each next line once the file before it is done, and only
// the user's Remove or Delete shifts it. So the send copies exactly the lines that stay in the
// list, whatever the user removes meanwhile.
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
// it, the most the send will reach: lines appended later are not sent.
int BeginSendPosition(HWND list);
void EndSendPosition();
// Hands out the next line, or taken false when none is left or a new search replaced the list.
void TakeNextSendLine(SendLine *out);
// The user removed line index of list (Remove or Delete): the position keeps to its lines.
void AdjustSendForRemovedLine(HWND list, int index);

// Send thread: asks the progress window for the next line and waits for the answer.
bool AskNextSendLine(HWND progressWindow, SendLine *out);

#endif
