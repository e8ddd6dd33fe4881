// Placeholder until the dialog lands.
#include "settings_dialog.h"
INT_PTR CALLBACK AdvancedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == 152)) { EndDialog(dialog, 152); return TRUE; }
    return FALSE;
}
