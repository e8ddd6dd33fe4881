#include "send_engine.h"

#include <shlobj.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "../app/ids.h"
#include "../app/line_format.h"
#include "../app/main_window.h"
#include "../app/state.h"
#include "file_copy.h"
#include "progress_window.h"
#include "send_text.h"

enum { kDestinationBytes = MAX_PATH + 2 };

// Everything one send thread needs; it owns this and frees it when the send ends.
struct SendJob {
    char destination[kDestinationBytes];  // folder ending in a backslash
    char source[sizeof g_selectedPath];   // Send To: the selected file, taken on the UI thread
    HWND list;                            // Send All To: the list as it was when the send began
    SendProgress progress;
};

static std::atomic<bool> s_abortRequest(false);  // the program is closing: stop the copy now
static HANDLE s_sendThread;                      // the running send's thread, NULL when idle (UI thread)
static DWORD s_sendThreadId;

static void FillSendSubmenu(HMENU submenu, int base)
{
    for (int i = 0; i < g_sendDrives.count; ++i) {
        char name[4];
        DriveRoot(g_sendDrives, i, name, sizeof name);
        name[2] = '\0';  // letter and colon
        AppendMenuA(submenu, 0, static_cast<UINT_PTR>(base + i), name);
    }
    AppendMenuA(submenu, 0, static_cast<UINT_PTR>(base + g_sendDrives.count), "Folder...");
}

void AddSendSubmenus(HMENU contextMenu)
{
    g_sendDrives = EnumerateDrives("removable");
    HMENU sendTo = CreatePopupMenu();
    InsertMenuA(contextMenu, 4, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(sendTo), "&Send To");
    FillSendSubmenu(sendTo, IDM_SEND_TO_BASE);
    HMENU sendAll = CreatePopupMenu();
    InsertMenuA(contextMenu, 5, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(sendAll), "&Send All To");
    FillSendSubmenu(sendAll, IDM_SEND_ALL_BASE);
}

bool IsSendCommand(int id)
{
    int n = g_sendDrives.count;
    return (id >= IDM_SEND_TO_BASE && id <= IDM_SEND_TO_BASE + n) ||
           (id >= IDM_SEND_ALL_BASE && id <= IDM_SEND_ALL_BASE + n);
}

// The folder the user picks, or false when the browser was cancelled.
static bool BrowseSendFolder(char *folder)
{
    BROWSEINFOA info = {};
    info.hwndOwner = g_mainWindow;
    info.lpszTitle = "Navigate to the folder you want to send data to";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item)
        return false;
    folder[0] = '\0';
    BOOL ok = SHGetPathFromIDListA(item, folder);
    ILFree(item);
    return ok && folder[0] != '\0';
}

static uint64_t SourceSize(const char *source)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(source, GetFileExInfoStandard, &data))
        return 0;  // vanished: the status shows 0.00 B and the copy fails without a word
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Status label for the file about to be copied; its size then counts as started.
static void ShowSendStatus(SendJob *job, const char *source, const char *target, int index, int count,
                           uint64_t total, uint64_t size)
{
    char text[kStatusTextBytes];
    FormatSendStatus(text, sizeof text, index, count, size, total, job->progress.startedBytes, source, target);
    SetProgressStatus(&job->progress, text);
    job->progress.startedBytes += size;
}

// Copies one file without overwriting; true when the user or the closing program stopped it.
static bool SendOneFile(SendJob *job, const char *source, int index, int count, uint64_t total, uint64_t size,
                        LPPROGRESS_ROUTINE routine)
{
    char target[kDestinationBytes + MAX_PATH];
    bool named = TargetOfSource(target, sizeof target, job->destination, source);
    ShowSendStatus(job, source, target, index, count, total, size);
    if (!named)
        return false;
    job->progress.userCancelled = false;
    BOOL ok = CopyFileChunked(source, target, routine, &job->progress, &s_abortRequest, COPY_FILE_FAIL_IF_EXISTS);
    DWORD error = ok ? 0 : GetLastError();
    job->progress.sample.time = 0;
    job->progress.sample.bytes = 0;
    if (job->progress.userCancelled && !s_abortRequest.load())
        ShowCancelledMessage(job->progress.window);
    return error == ERROR_REQUEST_ABORTED;
}

// Last paint, the pause that lets it be seen, and the request to close the window. A closing
// program skips the pause.
static void FinishSend(SendJob *job)
{
    if (!s_abortRequest.load()) {
        FlushProgress(&job->progress);
        Sleep(500);
    }
    SendMessageA(g_mainWindow, WM_CLOSE_PROGRESS, 0, 0);
    std::free(job);
}

static DWORD WINAPI SendSelectedFileThread(LPVOID param)
{
    SendJob *job = static_cast<SendJob *>(param);
    uint64_t size = SourceSize(job->source);
    SendOneFile(job, job->source, 1, 1, size, size, CopyProgressSingle);
    FinishSend(job);
    return 1;
}

// Sends the lines of the list the send began with, by index up to the count taken at the start;
// stops at the first line that cannot be read (the list shrank, or a new search replaced it).
// The next line is asked for before the current file is copied.
static DWORD WINAPI SendAllFilesThread(LPVOID param)
{
    SendJob *job = static_cast<SendJob *>(param);
    int count = job->list ? static_cast<int>(SendMessageA(job->list, LB_GETCOUNT, 0, 0)) : 0;
    LineRequest *lines = static_cast<LineRequest *>(std::calloc(2, sizeof(LineRequest)));
    HANDLE events[2] = {CreateEventA(NULL, TRUE, TRUE, NULL), CreateEventA(NULL, TRUE, TRUE, NULL)};
    if (!lines || !events[0] || !events[1])
        count = 0;
    for (int k = 0; k < 2 && lines; ++k) {
        lines[k].list = job->list;
        lines[k].answered = events[k];
    }
    if (count > 0)
        RequestListLine(&job->progress, &lines[0], 0);
    for (int i = 0; i < count && !s_abortRequest.load(); ++i) {
        LineRequest *current = &lines[i % 2];
        WaitForSingleObject(current->answered, INFINITE);
        // A line read ahead belongs to a list that a new search may have replaced meanwhile.
        if (current->result == LINE_GONE || !IsWindow(job->list))
            break;
        if (i + 1 < count)
            RequestListLine(&job->progress, &lines[(i + 1) % 2], i + 1);
        if (current->result != LINE_READ)
            continue;
        const char *source = PathOfLine(current->line);
        if (SendOneFile(job, source, i + 1, count, g_listedBytes.load(), SourceSize(source), CopyProgressList))
            break;
    }
    // A request still out writes into lines: wait for its answer before letting go.
    if (events[0] && events[1])
        WaitForMultipleObjects(2, events, TRUE, INFINITE);
    for (HANDLE event : events)
        if (event)
            CloseHandle(event);
    std::free(lines);
    FinishSend(job);
    return 0;
}

// Whether Send To has a file to send: a line of the current list was selected.
static bool HasSelectedLine()
{
    return g_resultList && g_selectedIndex >= 0 && g_selectedPath[0] != '\0';
}

void HandleSendCommand(int id)
{
    if (g_sending.load()) {
        MessageBoxA(g_mainWindow, "Please wait while current sending process is completed", kAppCaption,
                    MB_ICONWARNING);
        return;
    }
    bool all = id >= IDM_SEND_ALL_BASE;
    int k = id - (all ? IDM_SEND_ALL_BASE : IDM_SEND_TO_BASE);
    if (!all && !HasSelectedLine())
        return;

    SendJob *job = static_cast<SendJob *>(std::calloc(1, sizeof(SendJob)));
    if (!job)
        return;
    bool chosen;
    if (k < g_sendDrives.count) {
        chosen = DriveRoot(g_sendDrives, k, job->destination, sizeof job->destination);
    } else {
        char folder[MAX_PATH];
        chosen = BrowseSendFolder(folder) && DestinationOfFolder(job->destination, sizeof job->destination, folder);
    }
    // The browser is modal: a send started from elsewhere meanwhile wins.
    if (!chosen || g_sending.load()) {
        std::free(job);
        return;
    }
    std::memcpy(job->source, g_selectedPath, sizeof job->source);
    job->source[sizeof job->source - 1] = '\0';
    job->list = g_resultList;
    job->progress.shownPercent = -1;

    BeginProgress();
    HWND window = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_PROGRESS), g_mainWindow, ProgressDialogProc, 0);
    if (!window) {
        std::free(job);
        return;
    }
    job->progress.window = window;
    ShowWindow(window, SW_SHOW);

    // Raised here, before the thread exists, and lowered only when its window is gone: no second
    // send can slip in between.
    s_abortRequest.store(false);
    g_sending.store(true);
    s_sendThread = CreateThread(NULL, 0, all ? SendAllFilesThread : SendSelectedFileThread, job, 0, &s_sendThreadId);
    if (!s_sendThread) {
        std::free(job);
        OnSendEnded();
        return;
    }
    Sleep(50);
}

void OnSendEnded()
{
    if (g_progressWindow)
        DestroyWindow(g_progressWindow);
    g_progressWindow = NULL;
    if (s_sendThread)
        CloseHandle(s_sendThread);
    s_sendThread = NULL;
    g_sending.store(false);
}

// A "cancelled" message box of the send thread would hold the send: answer it.
static BOOL CALLBACK AnswerSendThreadBox(HWND window, LPARAM)
{
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void EndSendBeforeExit()
{
    if (!s_sendThread)
        return;
    s_abortRequest.store(true);
    EnumThreadWindows(s_sendThreadId, AnswerSendThreadBox, 0);
    DWORD start = GetTickCount();
    for (;;) {
        // Serve the send thread's requests (lines of the list, the close-progress message).
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        ServeProgressRequests(g_progressWindow);
        DWORD elapsed = GetTickCount() - start;
        if (!s_sendThread || elapsed >= 5000)
            break;
        DWORD wait = 5000 - elapsed < 50 ? 5000 - elapsed : 50;
        if (MsgWaitForMultipleObjects(1, &s_sendThread, FALSE, wait, QS_SENDMESSAGE) == WAIT_OBJECT_0)
            break;
    }
}
