// Menus, keys of the result list and the one dispatch of every command.
#ifndef SORVANE_COMMANDS_H
#define SORVANE_COMMANDS_H

#include <windows.h>

HMENU BuildMenuBar();
void DispatchCommand(HWND window, int id, int notification);
void ShowResultListMenu(HWND window, HWND target, LPARAM screenPos);
LRESULT HandleListKey(HWND window, WPARAM wParam, LPARAM lParam);
void ShowAboutBox(HWND window);

#endif
