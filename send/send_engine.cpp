#include "send_engine.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "../app/controls.h"
#include "../app/ids.h"
#include "../app/line_format.h"
#include "../app/result_list.h"
#include "../app/state.h"
#include "file_copy.h"
#include "progress_window.h"
#include "send_position.h"
#include "send_text.h"

enum { kDestinationBytes = MAX_PATH + 2 };

// Everything one send thread needs; it owns this and frees it when the send ends.
struct SendJob {
    char destination[kDestinationBytes];  // folder ending in a backslash
    char source[sizeof g_selectedPath];   // Send To: the selected file, taken on the UI thread
    int count;                            // Send All To: the lines in the list when the send began
    int reached;                          // lines the send has reached (1 for Send To)
    int failed;                           // of those, the ones not copied that the user is told of
    SendProgress progress;
};

// How the copy of one file ended.
enum SendOutcome {
    SEND_COPIED,
    SEND_EXISTED,   // the target already exists: skipped without a word
    SEND_FAILED,    // not copied: counted in the report at the end
    SEND_STOPPED,   // the user's Cancel, or the program closing
};

// Wine's CopyFileExA never calls the progress routine and ignores PROGRESS_CANCEL; Wine is told
// apart by what its ntdll exports. Elsewhere the system's copy is the one used: it reports per
// stream and keeps what the program's own copy drops (alternate data streams, among them the mark
// of a file from the internet, and extended attributes).
static bool SystemCopyReports()
{
#ifdef SORVANE_FORCE_SYSTEM_COPY
    return true;
#else
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
#endif
}

static const bool s_systemCopyReports = SystemCopyReports();  // decided once, at start
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
    return BrowseForFolder(g_mainWindow, "Navigate to the folder you want to send data to", folder) &&
           folder[0] != '\0';
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

// The system's copy reports through this: closing stops it as the user's Cancel does.
struct SystemCopy {
    LPPROGRESS_ROUTINE routine;
    SendProgress *progress;
};

static DWORD CALLBACK SystemCopyProgress(LARGE_INTEGER totalSize, LARGE_INTEGER totalDone, LARGE_INTEGER streamSize,
                                         LARGE_INTEGER streamDone, DWORD stream, DWORD reason, HANDLE source,
                                         HANDLE target, LPVOID data)
{
    SystemCopy *copy = static_cast<SystemCopy *>(data);
    if (s_abortRequest.load())
        return PROGRESS_CANCEL;
    return copy->routine(totalSize, totalDone, streamSize, streamDone, stream, reason, source, target,
                         copy->progress);
}

static BOOL SystemCopyFile(const char *source, const char *target, LPPROGRESS_ROUTINE routine, SendProgress *progress)
{
    SystemCopy copy = {routine, progress};
    return CopyFileExA(source, target, SystemCopyProgress, &copy, NULL, COPY_FILE_FAIL_IF_EXISTS);
}

static SendOutcome OutcomeOfCopy(BOOL copied, DWORD error)
{
    if (copied)
        return SEND_COPIED;
    if (error == ERROR_REQUEST_ABORTED)
        return SEND_STOPPED;
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
        return SEND_EXISTED;
    return SEND_FAILED;
}

// Copies one file without overwriting. Sending one file shows its own size as the total, sending
// all the listed size total.
static SendOutcome SendOneFile(SendJob *job, const char *source, int index, int count, bool single)
{
    WIN32_FILE_ATTRIBUTE_DATA facts;
    bool known = GetFileAttributesExA(source, GetFileExInfoStandard, &facts) != 0;
    // A vanished source shows 0.00 B; its copy then fails.
    uint64_t size = known ? (static_cast<uint64_t>(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow : 0;
    char target[kDestinationBytes + MAX_PATH];
    bool named = TargetOfSource(target, sizeof target, job->destination, source, g_leadBytes);
    ShowSendStatus(job, source, target, index, count, single ? size : g_listedBytes.load(), size);
    if (!named)
        return SEND_FAILED;
    job->progress.userCancelled = false;
    LPPROGRESS_ROUTINE routine = single ? CopyProgressSingle : CopyProgressList;
    // An encrypted source takes the system's copy even under Wine: it keeps the encryption or fails
    // as the system decides (onto a FAT drive with ERROR_ENCRYPTION_FAILED), where the program's
    // own copy would write the file out in the clear.
    bool encrypted = known && (facts.dwFileAttributes & FILE_ATTRIBUTE_ENCRYPTED);
    BOOL copied = s_systemCopyReports || encrypted
        ? SystemCopyFile(source, target, routine, &job->progress)
        : CopyFileChunked(source, target, routine, &job->progress, &s_abortRequest, COPY_FILE_FAIL_IF_EXISTS);
    DWORD error = copied ? 0 : GetLastError();
    job->progress.sample.time = 0;
    job->progress.sample.bytes = 0;
    if (job->progress.userCancelled && !s_abortRequest.load())
        ShowCancelledMessage(job->progress.window);
    return OutcomeOfCopy(copied, error);
}

// Last paint, the pause that lets it be seen, and the request to close the window, which carries
// the counts for the report. A closing program skips the pause.
static void FinishSend(SendJob *job)
{
    if (!s_abortRequest.load()) {
        FlushProgress(&job->progress);
        Sleep(500);
    }
    SendMessageA(g_mainWindow, WM_CLOSE_PROGRESS, static_cast<WPARAM>(job->failed),
                 static_cast<LPARAM>(job->reached));
    std::free(job);
}

static DWORD WINAPI SendSelectedFileThread(LPVOID param)
{
    SendJob *job = static_cast<SendJob *>(param);
    job->reached = 1;
    if (SendOneFile(job, job->source, 1, 1, true) == SEND_FAILED)
        job->failed = 1;
    FinishSend(job);
    return 1;
}

// Sends the lines that stay in the list, one after another: the window hands out each next line
// once the file before it is done (see send_position.h).
static DWORD WINAPI SendAllFilesThread(LPVOID param)
{
    SendJob *job = static_cast<SendJob *>(param);
    SendLine next;
    while (!s_abortRequest.load() && AskNextSendLine(job->progress.window, &next)) {
        job->reached = next.reached;
        SendOutcome outcome = next.readable
            ? SendOneFile(job, PathOfLine(next.line), next.reached, job->count, false)
            : SEND_FAILED;
        if (outcome == SEND_FAILED)
            ++job->failed;
        if (outcome == SEND_STOPPED)
            break;
    }
    FinishSend(job);
    return 0;
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
    if (!all && !HaveSelection())
        return;

    SendJob *job = static_cast<SendJob *>(std::calloc(1, sizeof(SendJob)));
    if (!job)
        return;
    bool chosen;
    if (k < g_sendDrives.count) {
        chosen = DriveRoot(g_sendDrives, k, job->destination, sizeof job->destination);
    } else {
        char folder[MAX_PATH];
        chosen = BrowseSendFolder(folder) &&
                 DestinationOfFolder(job->destination, sizeof job->destination, folder, g_leadBytes);
    }
    // The browser is modal: a send started from elsewhere meanwhile wins.
    if (!chosen || g_sending.load()) {
        std::free(job);
        return;
    }
    std::memcpy(job->source, g_selectedPath, sizeof job->source);
    job->source[sizeof job->source - 1] = '\0';
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
    if (all)
        job->count = BeginSendPosition(g_resultList);
    s_sendThread = CreateThread(NULL, 0, all ? SendAllFilesThread : SendSelectedFileThread, job, 0, &s_sendThreadId);
    if (!s_sendThread) {
        std::free(job);
        OnCloseProgress(0, 0);
        return;
    }
    Sleep(50);  // the defined pace of a send start; a Send All's thread waits for its first line until then
}

void OnCloseProgress(int failed, int reached)
{
    if (g_progressWindow)
        DestroyWindow(g_progressWindow);
    g_progressWindow = NULL;
    if (s_sendThread)
        CloseHandle(s_sendThread);
    s_sendThread = NULL;
    EndSendPosition();
    g_sending.store(false);
    // Posted: the report comes once this message is answered and the send thread has let go.
    if (failed > 0 && !s_abortRequest.load())
        PostMessageA(g_mainWindow, WM_SEND_REPORT, static_cast<WPARAM>(failed), static_cast<LPARAM>(reached));
}

void ShowSendReport(int failed, int reached)
{
    char text[kSendReportBytes];
    if (!s_abortRequest.load() && FormatSendReport(text, sizeof text, failed, reached))
        MessageBoxA(g_mainWindow, text, kAppCaption, MB_ICONWARNING);
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
        // Serve the send thread's requests (the next line, the close-progress message).
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        DWORD elapsed = GetTickCount() - start;
        if (!s_sendThread || elapsed >= 5000)
            break;
        DWORD wait = 5000 - elapsed < 50 ? 5000 - elapsed : 50;
        if (MsgWaitForMultipleObjects(1, &s_sendThread, FALSE, wait, QS_SENDMESSAGE) == WAIT_OBJECT_0)
            break;
    }
}
