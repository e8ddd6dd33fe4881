// The main window: its class, its procedure and what it builds at creation.
#ifndef SORVANE_MAIN_WINDOW_H
#define SORVANE_MAIN_WINDOW_H

#include <windows.h>

extern const char kAppCaption[];   // "Sorvane 1.0": caption of the program's message boxes

bool RegisterMainWindowClass(HINSTANCE instance);
// Static controls of every window draw transparently over the white brush; returns that brush.
INT_PTR StaticOnWhite(HDC dc);
// Creates a child control of this module with no extended style and sets its font (if any).
HWND MakeControl(HWND parent, const char *cls, const char *text, DWORD style, int x, int y, int w, int h, int id,
                 HFONT font);
// Before a file is written under a name that the program extended (".txt", ".svq") and the user
// did not type: if such a file exists, asks whether to replace it, in a box owned by owner. True
// when the file may be written.
bool MayReplaceExtendedName(HWND owner, const char *typed, const char *path);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
