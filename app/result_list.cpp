#include "result_list.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>
#include <cstring>

#include "../search/search_text.h"
#include "../send/send_position.h"
#include "controls.h"
#include "ids.h"
#include "line_format.h"
#include "state.h"

enum { kNumberingLineBytes = 1080 };

// Asked of the list by the numbering thread: rewrite line wParam (lParam 1: numbered by its
// position, 0: the path alone). One request per line, so that a line the user removes meanwhile
// is never replaced by another one's text.
static const UINT kRenumberLine = WM_USER + 0x100;

static const UINT_PTR kListPaceTimer = 0x5350;
static const UINT kListPaceMs = 100;  // 10 repaints a second while lines pour in
static const int kBarTicks = 5;        // the scroll bar alone: twice a second while lines pour in

static HFONT s_listFont;
static HFONT s_statusFont;
static WNDPROC s_listBoxProc;          // the LISTBOX class procedure the list was made with
static WNDPROC s_staticProc;           // the STATIC class procedure the status line was made with
static bool s_searchBurst;             // a search is appending (not paused)
static bool s_numberingBurst;          // a numbering pass is rewriting lines
static bool s_paced;                   // the list's redraw is off and the timer runs
static int s_paintedCount;             // lines the list had at its last paced repaint
static int s_barCount;                 // lines the vertical scroll bar counts
static int s_barTicks;                 // ticks since it was last set while lines kept coming
static bool s_listTouched;             // the user changed what the list shows since that repaint
static bool s_statusChanged;           // the status text changed since the last paced repaint
static std::atomic<bool> s_numberingRuns(false);

// --- Paced repaint ---
// Under a burst the list has redraw switched off, since it would repaint its scroll bars at each
// line; while it is off the list also leaves unpainted whatever the user scrolls, selects or
// uncovers. The status line keeps redraw on, so that it always shows, but takes new texts
// without painting them: a static control paints itself inside each WM_SETTEXT, once for every
// folder a walker enters. Each tick repaints only what changed, since a repaint of the whole list
// costs several milliseconds that the walkers would wait for.

static void SetRedraw(HWND window, bool on)
{
    if (window)
        SendMessageA(window, WM_SETREDRAW, on, 0);
}

// Lines appended below the visible ones change only the vertical scroll bar, set here directly:
// turning redraw on for it would repaint the whole list. Under Wine even the bar's own repaint
// costs the walkers several percent of a search at every tick, so while lines keep coming it is
// set every few ticks, and at the first tick after they stop. The list box sets the bar again
// when redraw comes back on. Visible lines, a numbering pass, or anything the user did in the
// list need their repaint.
static void RepaintListIfChanged()
{
    int count = static_cast<int>(SendMessageA(g_resultList, LB_GETCOUNT, 0, 0));
    bool coming = count != s_paintedCount;
    if (!coming && count == s_barCount && !s_numberingBurst && !s_listTouched)
        return;
    int top = static_cast<int>(SendMessageA(g_resultList, LB_GETTOPINDEX, 0, 0));
    int itemHeight = static_cast<int>(SendMessageA(g_resultList, LB_GETITEMHEIGHT, 0, 0));
    RECT client;
    GetClientRect(g_resultList, &client);
    int shown = itemHeight > 0 ? client.bottom / itemHeight + 1 : count;
    bool visibleChange = s_listTouched || s_numberingBurst || count < s_paintedCount || s_paintedCount < top + shown;
    s_paintedCount = count;
    if (!visibleChange) {
        if (coming && ++s_barTicks < kBarTicks)
            return;
        s_barTicks = 0;
        s_barCount = count;
        SCROLLINFO bar = {};
        bar.cbSize = sizeof bar;
        bar.fMask = SIF_RANGE | SIF_PAGE;
        bar.nMax = count - 1;
        bar.nPage = static_cast<UINT>(shown - 1);
        SetScrollInfo(g_resultList, SB_VERT, &bar, TRUE);
        return;
    }
    s_barCount = count;
    SetRedraw(g_resultList, true);
    InvalidateRect(g_resultList, NULL, TRUE);
    UpdateWindow(g_resultList);
    SetRedraw(g_resultList, false);
    s_listTouched = false;  // after this repaint's own WM_PAINT
}

static void RepaintStatusIfChanged()
{
    if (!s_statusChanged || !g_statusLine)
        return;
    s_statusChanged = false;
    RedrawWindow(g_statusLine, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

static void ApplyPacing()
{
    bool want = g_resultList && (s_searchBurst || s_numberingBurst);
    if (want == s_paced)
        return;
    s_paced = want;
    g_listPaced.store(want);
    s_listTouched = s_statusChanged = false;
    if (want) {
        s_paintedCount = s_barCount = static_cast<int>(SendMessageA(g_resultList, LB_GETCOUNT, 0, 0));
        s_barTicks = 0;
        SetRedraw(g_resultList, false);
        SetTimer(g_mainWindow, kListPaceTimer, kListPaceMs, NULL);
    } else {
        KillTimer(g_mainWindow, kListPaceTimer);
        SetRedraw(g_resultList, true);
        RedrawWindow(g_resultList, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        if (g_statusLine)
            RedrawWindow(g_statusLine, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void SetSearchPacing(bool on)
{
    s_searchBurst = on;
    ApplyPacing();
}

void SetListBusy(bool busy, HWND list)
{
    if (!list || list != g_resultList)
        return;  // a pass on a list that a new search has replaced
    s_numberingBurst = busy;
    ApplyPacing();
    // Rewriting the selected line drops the list's own selection: show the record's again.
    if (!busy && g_selectedIndex >= 0 && SendMessageA(list, LB_GETCURSEL, 0, 0) != g_selectedIndex)
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(g_selectedIndex), 0);
}

void OnListPaceTimer(UINT_PTR timerId)
{
    if (timerId != kListPaceTimer || !s_paced)
        return;
    RepaintListIfChanged();
    RepaintStatusIfChanged();
}

// What reaches the list when the user scrolls it (bar, wheel, keys), moves its selection (click,
// drag, keys, or a line removed), moves the focus, or uncovers or restores the window: the list
// changes what it shows but, with redraw off, paints none of it.
static bool ChangesWhatTheListShows(UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_PAINT:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_TIMER:  // the list's own, scrolling while a drag holds the mouse below or above it
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case LB_SETCURSEL:
    case LB_SETTOPINDEX:
    case LB_DELETESTRING:
        return true;
    case WM_MOUSEMOVE:
        return (wParam & MK_LBUTTON) != 0;
    default:
        return false;
    }
}

// The status line under a burst: the text is stored without painting, and the next tick paints it.
static LRESULT CALLBACK StatusLineProc(HWND status, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && s_paced) {
        s_statusChanged = true;
        return DefWindowProcA(status, message, wParam, lParam);
    }
    return CallWindowProcA(s_staticProc, status, message, wParam, lParam);
}

// --- The list ---

static void RenumberLine(HWND list, int index, bool numbered)
{
    char line[kNumberingLineBytes];
    LRESULT len = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR || len >= static_cast<LRESULT>(sizeof line))
        return;
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line));
    const char *path = PathOfLine(line);
    char numberedLine[kNumberingLineBytes];
    const char *text = path;
    if (numbered) {
        if (!FormatNumberedLine(numberedLine, sizeof numberedLine, index + 1LL, path))
            return;
        text = numberedLine;
    }
    if (std::strcmp(text, line) == 0)
        return;
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
}

static LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRenumberLine) {
        RenumberLine(list, static_cast<int>(wParam), lParam != 0);
        return 0;
    }
    if (s_paced && ChangesWhatTheListShows(message, wParam))
        s_listTouched = true;
    return CallWindowProcA(s_listBoxProc, list, message, wParam, lParam);
}

void ResetResultList()
{
    if (g_resultList) {
        KillTimer(g_mainWindow, kListPaceTimer);
        HWND old = g_resultList;
        g_resultList = NULL;
        DestroyWindow(old);
    }
    if (g_statusLine) {
        HWND old = g_statusLine;
        g_statusLine = NULL;
        DestroyWindow(old);
    }
    s_searchBurst = s_numberingBurst = s_paced = false;
    g_listPaced.store(false);
    g_numbered.store(true);
    g_selectedIndex = -1;
    g_selectedPath[0] = '\0';

    const DWORD listStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                            LBS_HASSTRINGS | LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT;
    g_resultList = CreateWindowExA(0, "LISTBOX", "", listStyle, 160, 280, 730, 370, g_mainWindow,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RESULT_LIST)), g_instance, NULL);
    if (!s_listFont)
        s_listFont = MakeFont(17, 0, false, "Times new roman");
    SendMessageA(g_resultList, WM_SETFONT, reinterpret_cast<WPARAM>(s_listFont), 0);
    SendMessageA(g_resultList, LB_SETHORIZONTALEXTENT, 1800, 0);
    UpdateWindow(g_resultList);
    SendMessageA(g_resultList, LB_INITSTORAGE, 10000, 2600000);
    s_listBoxProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_resultList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ResultListProc)));

    g_statusLine = CreateWindowExA(0, "STATIC", "Search In", WS_CHILD | WS_VISIBLE, 160, 245, 730, 35, g_mainWindow,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_LINE)), g_instance, NULL);
    if (!s_statusFont)
        s_statusFont = MakeFont(16, 0, false, "Times new roman");
    SendMessageA(g_statusLine, WM_SETFONT, reinterpret_cast<WPARAM>(s_statusFont), 0);
    s_staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_statusLine, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusLineProc)));
}

// --- Selection and item actions (UI thread) ---

// Reads the line at g_selectedIndex into the record; -1 and "" when there is none.
static void ReadSelectedPath()
{
    g_selectedPath[0] = '\0';
    if (g_selectedIndex < 0)
        return;
    char line[kLineBytes];
    LRESULT len = SendMessageA(g_resultList, LB_GETTEXTLEN, static_cast<WPARAM>(g_selectedIndex), 0);
    if (len == LB_ERR || len >= static_cast<LRESULT>(sizeof line)) {
        g_selectedIndex = -1;
        return;
    }
    SendMessageA(g_resultList, LB_GETTEXT, static_cast<WPARAM>(g_selectedIndex), reinterpret_cast<LPARAM>(line));
    const char *path = PathOfLine(line);
    std::memcpy(g_selectedPath, path, std::strlen(path) + 1);
}

bool HaveSelection()
{
    return g_resultList && g_selectedIndex >= 0 && g_selectedPath[0] != '\0';
}

void UpdateSelection()
{
    if (!g_resultList)
        return;
    g_selectedIndex = static_cast<int>(SendMessageA(g_resultList, LB_GETCURSEL, 0, 0));
    ReadSelectedPath();
}

void OpenSelectedFile()
{
    if (HaveSelection())
        ShellExecuteA(g_mainWindow, "open", g_selectedPath, NULL, NULL, SW_SHOWDEFAULT);
}

void OpenParentFolder()
{
    char folder[kLineBytes];
    if (HaveSelection() && ParentFolderOf(g_selectedPath, folder, sizeof folder, g_leadBytes))
        ShellExecuteA(NULL, "open", folder, NULL, NULL, SW_SHOWDEFAULT);
}

void ShowFileProperties()
{
    if (!HaveSelection())
        return;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.lpVerb = "properties";
    info.lpFile = g_selectedPath;
    info.nShow = SW_SHOW;
    // The item as an ID list too: some shells resolve this verb only through it, and parse no
    // doubled backslash.
    char single[kLineBytes];
    bool collapsed = CollapseBackslashes(g_selectedPath, single, sizeof single, g_leadBytes);
    LPITEMIDLIST item = collapsed ? ILCreateFromPathA(single) : NULL;
    info.lpIDList = item;
    ShellExecuteExA(&info);
    if (item)
        ILFree(item);
}

// The size of the file now on disk; 0 when it can no longer be found.
static uint64_t SizeOnDisk(const char *path)
{
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA(path, &data);
    if (found == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(found);
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Atomic, and never below zero: a file that grew since it was listed must not wrap the total.
static void SubtractListedBytes(uint64_t size)
{
    uint64_t total = g_listedBytes.load();
    while (!g_listedBytes.compare_exchange_weak(total, total > size ? total - size : 0)) {
    }
}

// Removes the selected line and selects the one before it (index 1 after the first).
static void RemoveLineAndReselect()
{
    MovePositionsForRemovedLine(g_resultList, g_selectedIndex);
    SendMessageA(g_resultList, LB_DELETESTRING, static_cast<WPARAM>(g_selectedIndex), 0);
    SendMessageA(g_resultList, LB_SETCURSEL, static_cast<WPARAM>(g_selectedIndex > 0 ? g_selectedIndex - 1 : 1), 0);
    g_selectedIndex = static_cast<int>(SendMessageA(g_resultList, LB_GETCURSEL, 0, 0));
    ReadSelectedPath();
}

void RemoveSelectedLine()
{
    if (!HaveSelection())
        return;
    SubtractListedBytes(SizeOnDisk(g_selectedPath));
    RemoveLineAndReselect();
}

// A folder gone takes its files with it; a drive gone (a stick pulled out) does not.
static bool DriveGone(const char *path)
{
    char root[4] = {path[0], ':', '\\', '\0'};
    return path[1] == ':' && GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR;
}

void DeleteSelectedFile()
{
    if (!HaveSelection())
        return;
    uint64_t size = SizeOnDisk(g_selectedPath);
    if (MessageBoxA(g_mainWindow, "Are you sure you want to permanently delete this file ", kAppCaption,
                    MB_ICONWARNING | MB_YESNO) != IDYES)
        return;
    if (!DeleteFileA(g_selectedPath)) {
        // A file already gone is what the user asked for: its line goes, without a word. The size
        // looked up before the question leaves the total too (0 for a file gone before it).
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && (error != ERROR_PATH_NOT_FOUND || DriveGone(g_selectedPath))) {
            MessageBoxA(g_mainWindow, "The file could not be deleted", kAppCaption, MB_ICONWARNING);
            return;
        }
    }
    SubtractListedBytes(size);
    RemoveLineAndReselect();
}

// --- Numbering ---

void StartNumberingPass()
{
    if (!g_resultList || s_numberingRuns.exchange(true))
        return;  // nothing to number, or a pass still runs
    HANDLE thread = CreateThread(NULL, 0, ToggleFileNumbers, g_resultList, 0, NULL);
    if (thread)
        CloseHandle(thread);
    else
        s_numberingRuns.store(false);
}

// Flips the numbered flag first, then rewrites the lines there are now, each on the UI thread.
// Lines a running search adds meanwhile keep their own numbers.
DWORD WINAPI ToggleFileNumbers(LPVOID param)
{
    HWND list = static_cast<HWND>(param);
    SendMessageA(g_mainWindow, WM_LIST_BUSY, 1, reinterpret_cast<LPARAM>(list));
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    bool numbered = !g_numbered.load();
    g_numbered.store(numbered);
    for (int i = 0; i < count; ++i)
        SendMessageA(list, kRenumberLine, static_cast<WPARAM>(i), numbered ? 1 : 0);
    SendMessageA(g_mainWindow, WM_LIST_BUSY, 0, reinterpret_cast<LPARAM>(list));
    s_numberingRuns.store(false);
    return 0;
}
