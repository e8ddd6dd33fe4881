// What the program's windows share: the caption of their message boxes, the making of their
// child controls and fonts, the white background under their static controls, and the folder
// browser.
#ifndef SORVANE_CONTROLS_H
#define SORVANE_CONTROLS_H

#include <windows.h>

extern const char kAppCaption[];   // "Sorvane 1.0": caption of the program's message boxes

// A font of this height, weight, slant and face; every other parameter of CreateFontA is 0.
HFONT MakeFont(int height, int weight, bool italic, const char *face);
// Creates a child control of this module with no extended style and sets its font (if any).
HWND MakeControl(HWND parent, const char *cls, const char *text, DWORD style, int x, int y, int w, int h, int id,
                 HFONT font);
// Static controls of every window draw transparently over the white brush; returns that brush.
INT_PTR StaticOnWhite(HDC dc);

// The system's folder browser (new style, file-system folders only) with this owner and title.
// True when the user picked a folder, its path then in path (MAX_PATH bytes).
bool BrowseForFolder(HWND owner, const char *title, char *path);

#endif
