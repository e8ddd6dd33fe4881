// What the program's windows share: the caption of their message boxes, the making of their
// child controls and fonts, the white background under their static controls, the folder
// browser and file dialogs, and the wait of a thread that has shown windows.
#ifndef SORVANE_CONTROLS_H
#define SORVANE_CONTROLS_H

#include <windows.h>
#include <commdlg.h>

extern const char kAppCaption[];   // "Sorvane 1.0": caption of the program's message boxes

// A font of this height, weight, slant and face; every other parameter of CreateFontA is 0.
HFONT MakeFont(int height, int weight, bool italic, const char *face);
// Creates a child control of this module with no extended style and sets its font (if any).
HWND MakeControl(HWND parent, const char *cls, const char *text, DWORD style, int x, int y, int w, int h, int id,
                 HFONT font);
// Static controls of every window draw transparently over the white brush; returns that brush.
INT_PTR StaticOnWhite(HDC dc);

// The system's folder browser (new style, file-system folders only) with this owner and title.
// True when the user picked a folder whose path the ANSI code page holds exactly, its path then in
// path (MAX_PATH bytes). A path it holds only as a look-alike could name another folder: such a
// pick counts as cancelled.
bool BrowseForFolder(HWND owner, const char *title, char *path);

// Text in the system's ANSI code page and back, as ExactAnsiName (ansi_path.h) takes them.
int SystemAnsiOfWide(const wchar_t *wide, char *out, int outBytes);
int SystemWideOfAnsi(const char *ansi, wchar_t *out, int outChars);

// The record of an Open or Save dialog owned by the main window: filter, name buffer (nameChars
// characters), flags and default extension, the rest zero. classic: the 76-byte record that
// ends before pvReserved, as the settings dialog's Save and Load use it; else the full one.
OPENFILENAMEA FileDialogRecord(bool classic, const char *filter, char *name, DWORD nameChars, DWORD flags,
                               const char *defaultExtension);

// Before a file is written under a name that the program extended (".txt", ".svq") and the user
// did not type: if such a file exists, asks whether to replace it, in a box owned by owner. True
// when the file may be written.
bool MayReplaceExtendedName(HWND owner, const char *typed, const char *path);

// Waits until object is signalled, dispatching whatever reaches this thread meanwhile. A thread
// that has shown a window (a message box, a file dialog) may still own hidden ones, and a
// program that sends to every window, as DDE does, waits until each answers.
void WaitDispatchingMessages(HANDLE object);

#endif
