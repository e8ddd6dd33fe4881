#include "main_window.h"

#include <cstdlib>

#include "../export/export_list.h"
#include "../search/run_control.h"
#include "../send/send_engine.h"
#include "../settings/search_settings.h"
#include "commands.h"
#include "controls.h"
#include "ids.h"
#include "result_list.h"
#include "state.h"

static const DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_CENTER;
static const DWORD kCheckStyle = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
static const DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON;

static void OnCreate(HWND window)
{
    g_menuBar = BuildMenuBar();
    SetMenu(window, g_menuBar);
    EnableMenuItem(g_menuBar, IDM_EXPORT, MF_BYCOMMAND | MF_GRAYED);

    HWND searchIn = MakeControl(window, "STATIC", "Search In", kLabelStyle, 50, 50, 103, 25,
                                IDC_SEARCH_IN_LABEL, NULL);
    HFONT labelFont = MakeFont(20, 0, true, "Times New Roman");
    SendMessageA(searchIn, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont), 0);

    g_searchDrives = EnumerateDrives("all");
    g_driveBoxes = static_cast<HWND *>(std::calloc(static_cast<size_t>(g_searchDrives.count) + 1, sizeof(HWND)));
    for (int i = 0; i < g_searchDrives.count && g_driveBoxes; ++i) {
        char root[4];
        DriveRoot(g_searchDrives, i, root, sizeof root);
        root[2] = '\0';  // the box shows the letter and colon only
        g_driveBoxes[i] = MakeControl(window, "BUTTON", root, kCheckStyle, 70, 80 + 30 * i, 70, 20,
                                      IDC_DRIVE_BOX, labelFont);
        SendMessageA(g_driveBoxes[i], BM_SETCHECK, BST_CHECKED, 0);
    }

    MakeControl(window, "STATIC", "Search For", kLabelStyle, 350, 50, 103, 25, IDC_SEARCH_FOR_LABEL, labelFont);
    static const char *const kMediaTexts[3] = {
        "Images: .jpg, .png, .gif, .tif, .bmp",
        "Audio: .mp3, .wma, .aac, .wav",
        "Video: .avi, .mp4, .wmv, .mkv, .mpg, .mov, .flv, .3gp",
    };
    for (int i = 0; i < 3; ++i) {
        g_mediaBoxes[i] = MakeControl(window, "BUTTON", kMediaTexts[i], kCheckStyle, 370, 80 + 30 * i, 420, 20,
                                      IDC_MEDIA_BOX, labelFont);
        SendMessageA(g_mediaBoxes[i], BM_SETCHECK, BST_CHECKED, 0);
    }

    g_startButton = MakeControl(window, "BUTTON", "Start Searching", kButtonStyle, 330, 170, 180, 60, IDC_START, NULL);
    HFONT buttonFont = MakeFont(24, 1, false, "Times New Roman");
    SendMessageA(g_startButton, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont), 0);
    g_advancedButton = MakeControl(window, "BUTTON", "Advanced Search...", kButtonStyle, 550, 170, 180, 60,
                                   IDC_ADVANCED, buttonFont);

    g_settings.extensionText = static_cast<char *>(std::calloc(kExtensionTextBytes, 1));
}

static void OnDestroy()
{
    std::free(g_driveBoxes);
    g_driveBoxes = NULL;
    PostQuitMessage(0);
}

static void OnActivate(WPARAM wParam)
{
    if (LOWORD(wParam) != WA_INACTIVE && g_resultList)
        SetFocus(g_resultList);
}

static LRESULT OnCtlColorStatic(HDC dc)
{
    SetTextColor(dc, RGB(100, 80, 255));
    return StaticOnWhite(dc);
}

// Closing asks first while work is under way; a confirmed close during a send lets the copy
// remove its partial file, and one during an export lets it finish its file, before the window
// goes. Those waits serve sent messages only, so the windows go out of sight first: on a slow
// drive they would otherwise stand unpainted and be shown as not responding.
static void OnClose(HWND window)
{
    int state = g_searchState.load();
    if (state == SEARCH_RUNNING || state == SEARCH_PAUSED || g_sending.load()) {
        if (MessageBoxA(window, "An ongoing operation has not completed yet. Are you sure you want to exit?",
                        "Error", MB_ICONWARNING | MB_YESNO) != IDYES)
            return;
    }
    ShowWindow(window, SW_HIDE);
    if (g_progressWindow)
        ShowWindow(g_progressWindow, SW_HIDE);  // an owner's hiding leaves the windows it owns shown
    EndSendBeforeExit();
    EndExportBeforeExit();
    DestroyWindow(window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_VKEYTOITEM:
        return HandleListKey(window, wParam, lParam);
    case WM_CONTEXTMENU:
        ShowResultListMenu(window, reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_COMMAND:
        DispatchCommand(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
    case WM_TIMER:
        OnListPaceTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_LIST_BUSY:
        SetListBusy(wParam != 0, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_SEARCH_ENDED:
        OnSearchEnded();
        return 0;
    case WM_CLOSE_PROGRESS:
        OnCloseProgress(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case WM_SEND_REPORT:
        ShowSendReport(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case WM_EXPORT_LINE:
        return ServeExportRequest(wParam, lParam);
    default:  // WM_PAINT too: nothing is drawn on the window itself; DefWindowProcA begins and ends the paint
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SORVANE));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SORVANE), IMAGE_ICON, 16, 16,
                                               LR_DEFAULTCOLOR));
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = g_whiteBrush;
    wc.lpszClassName = "Sorvane";
    return RegisterClassExA(&wc) != 0;
}
