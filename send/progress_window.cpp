#include "progress_window.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

#include "../app/controls.h"
#include "../app/ids.h"
#include "../app/state.h"
#include "send_position.h"

// The send thread never waits for the window while it copies. It leaves what the window is to
// show (percentage, status text, speed text) in the display record below and posts one
// WM_SHOW_PROGRESS; the window takes the latest record and then ignores further changes for
// kRefreshMs, after which its timer shows whatever changed meanwhile. So the window follows every
// change a human could see, the last state of a file included, while a copy of many small files
// is not slowed by a repaint per report. The controls are touched on the window's thread only.
#define WM_SHOW_PROGRESS (WM_APP + 20)
enum { kRefreshTimer = 1, kRefreshMs = 100 };

struct Display {
    int percent;                      // -1 before the first report
    char status[kStatusTextBytes];
    char speed[kSpeedTextBytes];
    unsigned statusVersion, speedVersion;
};

static std::mutex s_displayLock;                   // held only to copy the record, never while sending
static Display s_display;                          // guarded by s_displayLock
static std::atomic<bool> s_refreshPending(false);  // a request is posted, or the refresh pause runs
static std::atomic<bool> s_cancelRequest(false);   // Cancel pressed, no report has acted on it yet

// The window's side (its thread only).
static Display s_shown;   // what the controls show; the text buffers stay unused
static HFONT s_largeFont;
static HFONT s_smallFont;

static void OnInitDialog(HWND window)
{
    g_progressWindow = window;
    s_shown.percent = -1;
    s_shown.statusVersion = s_shown.speedVersion = 0;
    s_largeFont = MakeFont(20, 0, false, "Times New Roman");
    s_smallFont = MakeFont(16, 0, false, "Times New Roman");
    MakeControl(window, PROGRESS_CLASSA, NULL, WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 30, 30, 400, 35,
                IDC_PROGRESS_BAR, NULL);
    MakeControl(window, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER, 440, 35, 40, 35, IDC_PROGRESS_PERCENT,
                s_largeFont);
    MakeControl(window, "STATIC", "", WS_CHILD | WS_VISIBLE, 20, 85, 400, 140, IDC_PROGRESS_STATUS, s_smallFont);
    MakeControl(window, "STATIC", "Calculating Speed", WS_CHILD | WS_VISIBLE, 20, 230, 300, 40, IDC_PROGRESS_SPEED,
                s_smallFont);
    MakeControl(window, "BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 400, 230, 80, 30,
                IDC_PROGRESS_CANCEL, s_largeFont);
}

static void OnDestroy()
{
    DeleteObject(s_largeFont);
    DeleteObject(s_smallFont);
    s_largeFont = s_smallFont = NULL;
}

// Shows what changed in the display record; true when anything did.
static bool ShowDisplay(HWND window)
{
    int percent;
    char status[kStatusTextBytes], speed[kSpeedTextBytes];
    bool newStatus, newSpeed;
    {
        std::lock_guard<std::mutex> hold(s_displayLock);
        percent = s_display.percent;
        newStatus = s_display.statusVersion != s_shown.statusVersion;
        newSpeed = s_display.speedVersion != s_shown.speedVersion;
        if (newStatus)
            std::memcpy(status, s_display.status, sizeof status);
        if (newSpeed)
            std::memcpy(speed, s_display.speed, sizeof speed);
        s_shown.statusVersion = s_display.statusVersion;
        s_shown.speedVersion = s_display.speedVersion;
    }
    bool newPercent = percent >= 0 && percent != s_shown.percent;
    if (newPercent) {
        s_shown.percent = percent;
        SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
        char text[16];
        std::snprintf(text, sizeof text, "%d%%", percent);
        SetDlgItemTextA(window, IDC_PROGRESS_PERCENT, text);
    }
    if (newStatus)
        SetDlgItemTextA(window, IDC_PROGRESS_STATUS, status);
    if (newSpeed)
        SetDlgItemTextA(window, IDC_PROGRESS_SPEED, speed);
    return newPercent || newStatus || newSpeed;
}

static void OnShowProgress(HWND window)
{
    ShowDisplay(window);
    UpdateWindow(window);
    SetTimer(window, kRefreshTimer, kRefreshMs, NULL);
}

// The refresh pause is over: show what changed meanwhile (and pause again), or wait for a post.
static void OnRefreshTimer(HWND window)
{
    KillTimer(window, kRefreshTimer);
    s_refreshPending.store(false);
    if (s_refreshPending.exchange(true))
        return;  // the send thread has just posted
    if (ShowDisplay(window)) {
        UpdateWindow(window);
        SetTimer(window, kRefreshTimer, kRefreshMs, NULL);
    } else {
        s_refreshPending.store(false);
    }
}

INT_PTR CALLBACK ProgressDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return TRUE;
    case WM_COMMAND:
        // Only Cancel acts; Esc (IDCANCEL) and Enter do nothing, and the window has no close box.
        if (LOWORD(wParam) == IDC_PROGRESS_CANCEL)
            s_cancelRequest.store(true);
        return TRUE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(g_whiteBrush);
    case WM_CTLCOLORSTATIC:
        return StaticOnWhite(reinterpret_cast<HDC>(wParam));
    case WM_SHOW_PROGRESS:
        OnShowProgress(window);
        return TRUE;
    case WM_TIMER:
        OnRefreshTimer(window);
        return TRUE;
    case WM_NEXT_SEND_LINE:
        TakeNextSendLine(reinterpret_cast<SendLine *>(lParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}

// The send thread's side.

static void RequestRefresh(HWND window)
{
    if (!s_refreshPending.exchange(true))
        PostMessageA(window, WM_SHOW_PROGRESS, 0, 0);
}

void SetProgressStatus(SendProgress *send, const char *text)
{
    {
        std::lock_guard<std::mutex> hold(s_displayLock);
        std::snprintf(s_display.status, sizeof s_display.status, "%s", text);
        ++s_display.statusVersion;
    }
    RequestRefresh(send->window);
}

void FlushProgress(SendProgress *send)
{
    SendMessageA(send->window, WM_SHOW_PROGRESS, 0, 0);
}

static uint64_t Unsigned(LARGE_INTEGER v)
{
    return v.QuadPart > 0 ? static_cast<uint64_t>(v.QuadPart) : 0;
}

// The steps common to both routines; they differ in the gate and in what remains.
static DWORD Report(SendProgress *send, LARGE_INTEGER totalSize, LARGE_INTEGER totalDone, LARGE_INTEGER streamSize,
                    LARGE_INTEGER streamDone, bool singleFile)
{
    if (s_cancelRequest.exchange(false)) {
        // The copy deletes its partial target first; the send thread then shows the message.
        send->userCancelled = true;
        return PROGRESS_CANCEL;
    }
    CopyReport report = {Unsigned(totalSize), Unsigned(totalDone), Unsigned(streamSize), Unsigned(streamDone)};
    ReportFigures figures = FiguresOfReport(report, &send->sample, static_cast<long long>(std::time(NULL)), singleFile,
                                            g_listedBytes.load(), send->startedBytes);
    bool changed = false;
    if (figures.percent != send->shownPercent) {
        send->shownPercent = figures.percent;
        std::lock_guard<std::mutex> hold(s_displayLock);
        s_display.percent = figures.percent;
        changed = true;
    }
    if (figures.newSpeed) {
        char text[kSpeedTextBytes];
        FormatSpeedText(text, sizeof text, figures.speed, figures.remaining);
        std::lock_guard<std::mutex> hold(s_displayLock);
        std::memcpy(s_display.speed, text, sizeof text);
        ++s_display.speedVersion;
        changed = true;
    }
    if (changed)
        RequestRefresh(send->window);
    return PROGRESS_CONTINUE;
}

DWORD CALLBACK CopyProgressSingle(LARGE_INTEGER totalSize, LARGE_INTEGER totalDone, LARGE_INTEGER streamSize,
                                  LARGE_INTEGER streamDone, DWORD, DWORD, HANDLE, HANDLE, LPVOID data)
{
    return Report(static_cast<SendProgress *>(data), totalSize, totalDone, streamSize, streamDone, true);
}

DWORD CALLBACK CopyProgressList(LARGE_INTEGER totalSize, LARGE_INTEGER totalDone, LARGE_INTEGER streamSize,
                                LARGE_INTEGER streamDone, DWORD, DWORD, HANDLE, HANDLE, LPVOID data)
{
    return Report(static_cast<SendProgress *>(data), totalSize, totalDone, streamSize, streamDone, false);
}

void BeginProgress()
{
    std::lock_guard<std::mutex> hold(s_displayLock);
    s_display.percent = -1;
    s_display.status[0] = s_display.speed[0] = '\0';
    s_display.statusVersion = s_display.speedVersion = 0;
    s_refreshPending.store(false);
    s_cancelRequest.store(false);
}

void ShowCancelledMessage(HWND progressWindow)
{
    MessageBoxA(progressWindow, "The copying operation has been cancelled", kAppCaption, MB_OK);
}
