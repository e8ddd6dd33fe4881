// The main window: its class, its procedure and what it builds at creation.
#ifndef SORVANE_MAIN_WINDOW_H
#define SORVANE_MAIN_WINDOW_H

#include <windows.h>

bool RegisterMainWindowClass(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
