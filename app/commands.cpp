#include "commands.h"

#include <windowsx.h>

#include "../export/export_list.h"
#include "../search/run_control.h"
#include "../send/send_engine.h"
#include "../settings/search_settings.h"
#include "../settings/settings_dialog.h"
#include "ids.h"
#include "result_list.h"
#include "state.h"

HMENU BuildMenuBar()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, IDM_EXPORT, "&Export List");
    AppendMenuA(file, MF_STRING, IDM_EXIT, "  E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, IDM_ABOUT, "&About");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

void ShowAboutBox(HWND window)
{
    MessageBoxA(window,
                "This program is created by The Sorvane developers\n"
                " Contact @ sorvane@example.org \n\n"
                "\t Version: 1.0\n\n",
                "About Sorvane", MB_ICONINFORMATION);
}

static void StartThread(LPTHREAD_START_ROUTINE routine)
{
    HANDLE thread = CreateThread(NULL, 0, routine, NULL, 0, NULL);
    if (thread)
        CloseHandle(thread);
}

static void OnStartButton()
{
    switch (g_searchState.load()) {
    case SEARCH_RUNNING: PauseSearch(); break;
    case SEARCH_PAUSED: ResumeSearch(); break;
    case SEARCH_IDLE: StartSearch(); break;
    default: break;  // Stopping: nothing until the watcher has finished the ending search
    }
}

static void RunAdvancedDialog(HWND window)
{
    INT_PTR result = DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ADVANCED), window, AdvancedDialogProc, 0);
    if (result != IDC_ADV_OK)
        return;
    if (g_settings.folderSwitch)
        for (int i = 0; i < g_searchDrives.count; ++i)
            SendMessageA(g_driveBoxes[i], BM_SETCHECK, BST_UNCHECKED, 0);
    if (g_settings.ownExtensions)
        for (HWND box : g_mediaBoxes)
            SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
}

static void OnAdvancedButton(HWND window)
{
    switch (g_searchState.load()) {
    case SEARCH_RUNNING:
    case SEARCH_PAUSED: StopSearch(); break;
    case SEARCH_IDLE: RunAdvancedDialog(window); break;
    default: break;  // Stopping: no dialog may overlap the ending search
    }
}

static void OnResultListNotify(int notification)
{
    if (notification == LBN_SELCHANGE)
        UpdateSelection();
    else if (notification == LBN_DBLCLK)
        OpenSelectedFile();
}

void DispatchCommand(HWND window, int id, int notification)
{
    if (IsSendCommand(id)) {
        HandleSendCommand(id);
        return;
    }
    switch (id) {
    case IDC_START: OnStartButton(); break;
    case IDC_RESULT_LIST: OnResultListNotify(notification); break;
    case IDM_OPEN: OpenSelectedFile(); break;
    case IDM_OPEN_PARENT: OpenParentFolder(); break;
    case IDM_DELETE: DeleteSelectedFile(); break;
    case IDM_REMOVE: RemoveSelectedLine(); break;
    case IDM_PROPERTIES: ShowFileProperties(); break;
    case IDC_ADVANCED: OnAdvancedButton(window); break;
    case IDM_NUMBERS: StartNumberingPass(); break;
    case IDM_EXPORT: StartThread(ExportList); break;
    case IDM_EXIT: PostMessageA(window, WM_CLOSE, 0, 0); break;
    case IDM_ABOUT: ShowAboutBox(window); break;
    default: break;
    }
}

// From the keyboard (Shift+F10, the menu key) lParam is -1: the menu opens at the selected
// line, or at the list's top-left corner.
static POINT ContextMenuPoint(HWND list, LPARAM screenPos)
{
    POINT pt = {GET_X_LPARAM(screenPos), GET_Y_LPARAM(screenPos)};
    if (pt.x != -1 || pt.y != -1)
        return pt;
    RECT client = {0, 0, 0, 0};
    RECT item = {0, 0, 0, 0};
    GetClientRect(list, &client);
    int sel = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    pt.x = 0;
    pt.y = 0;
    // A selected line scrolled out of sight does not carry the menu off the list.
    if (sel >= 0 &&
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(&item)) != LB_ERR &&
        item.bottom > client.top && item.bottom <= client.bottom)
        pt.y = item.bottom;
    ClientToScreen(list, &pt);
    return pt;
}

void ShowResultListMenu(HWND window, HWND target, LPARAM screenPos)
{
    if (!g_resultList || target != g_resultList)
        return;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, IDM_OPEN, "Open (Enter)");
    AppendMenuA(menu, MF_STRING, IDM_OPEN_PARENT, "Open Parent Folder (F)");
    AppendMenuA(menu, MF_STRING, IDM_REMOVE, "Remove From List (R)");
    AppendMenuA(menu, MF_STRING, IDM_NUMBERS, "Add/Remove File &Numbers");
    AddSendSubmenus(menu);
    AppendMenuA(menu, MF_STRING, IDM_DELETE, "Delete File (Del)");
    AppendMenuA(menu, MF_STRING, IDM_PROPERTIES, "Properties (P)");
    POINT pt = ContextMenuPoint(target, screenPos);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, window, NULL);
    DestroyMenu(menu);
}

// WM_VKEYTOITEM's answer for a key the program acted on: the list box does nothing more with it.
static const LRESULT kKeyHandled = -2;

LRESULT HandleListKey(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case VK_RETURN: OpenSelectedFile(); return kKeyHandled;
    case VK_DELETE: DeleteSelectedFile(); return kKeyHandled;
    case 'F': OpenParentFolder(); return kKeyHandled;
    case 'R': RemoveSelectedLine(); return kKeyHandled;
    case 'P': ShowFileProperties(); return kKeyHandled;
    default: return DefWindowProcA(window, WM_VKEYTOITEM, wParam, lParam);
    }
}
