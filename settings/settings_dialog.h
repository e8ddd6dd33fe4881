// The advanced search settings dialog (resource 127).
#ifndef SORVANE_SETTINGS_DIALOG_H
#define SORVANE_SETTINGS_DIALOG_H

#include <windows.h>

INT_PTR CALLBACK AdvancedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
