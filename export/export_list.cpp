#include "export_list.h"

#include <commdlg.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "../app/controls.h"
#include "../app/line_format.h"
#include "../app/state.h"
#include "../send/send_position.h"
#include "export_rules.h"

enum { kWriteBufferBytes = 64 * 1024 };

// What WM_EXPORT_LINE answers to EXPORT_NEXT. Anything else (0 from a window that is gone
// too) means the list the export was asked for is no longer there.
enum { kExportLineCopied = 1, kExportListEnd = 2, kExportListLost = 3 };

// One export thread serves every Export List command in turn: under Wine a thread that shows a
// window keeps some memory for good when it ends, and the export shows its Save dialog and its
// message boxes on a thread of its own.
static HANDLE s_exportThread;
static HANDLE s_commands;                      // semaphore: commands not yet taken up
static std::atomic<bool> s_writing(false);     // the export has a file open
static std::atomic<bool> s_closing(false);     // the program is closing: start nothing, report nothing
static HANDLE s_writingEnded;                  // auto reset: set when the file is closed

// --- The UI thread's side: the lists asked for, and the reading of one ---

enum { kMaxWaitingExports = 8 };
static HWND s_askedLists[kMaxWaitingExports];   // the list of each command not yet begun, oldest first
static int s_askedCount;

static HWND s_readList;   // the list of the command taken up, NULL when there was none

static void BeginReading()
{
    s_readList = NULL;
    if (s_askedCount > 0) {
        s_readList = s_askedLists[0];
        --s_askedCount;
        std::memmove(s_askedLists, s_askedLists + 1, static_cast<size_t>(s_askedCount) * sizeof(HWND));
    }
    // The lines there are now are the ones to write; Remove and Delete move the position.
    BeginExportPosition(s_readList);
}

// Copies the next line to write into line (kLineBytes). Runs on the UI thread, where the list
// changes, so the list cannot be replaced or shortened halfway through a read.
static LRESULT ReadNextLine(char *line)
{
    int index = TakeExportIndex();
    if (!s_readList || s_readList != g_resultList)
        return kExportListLost;   // a new search has replaced it
    if (index < 0)
        return kExportListEnd;
    LRESULT len = SendMessageA(s_readList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR || len >= static_cast<LRESULT>(kLineBytes))
        return kExportListLost;
    SendMessageA(s_readList, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line));
    return kExportLineCopied;
}

LRESULT ServeExportRequest(WPARAM request, LPARAM line)
{
    if (request == EXPORT_BEGIN) {
        BeginReading();
        return 0;
    }
    return ReadNextLine(reinterpret_cast<char *>(line));
}

// --- The export thread ---

// Lines are gathered and written in large pieces: one write per line would cost more than
// reading the line from the list does.
struct LineWriter {
    HANDLE file;
    char *buffer;
    size_t used;
    bool failed;   // some text did not reach the file
};

static void Flush(LineWriter *w)
{
    DWORD written = 0;
    if (w->used > 0 && (!WriteFile(w->file, w->buffer, static_cast<DWORD>(w->used), &written, NULL) ||
                        written != w->used))
        w->failed = true;
    w->used = 0;
}

static void WriteLine(LineWriter *w, const char *text, size_t len)
{
    if (w->used + len + 2 > kWriteBufferBytes)
        Flush(w);
    std::memcpy(w->buffer + w->used, text, len);
    std::memcpy(w->buffer + w->used + len, "\r\n", 2);
    w->used += len + 2;
}

enum WriteResult { WRITE_WHOLE, WRITE_FAILED, WRITE_LIST_LOST };

// Writes every line of the list, in order, as the UI thread hands them over.
static WriteResult WriteListLines(HANDLE file)
{
    LineWriter w = {file, static_cast<char *>(std::malloc(kWriteBufferBytes)), 0, false};
    if (!w.buffer)
        return WRITE_FAILED;
    char line[kLineBytes];  // every line the program writes fits: a path of 259 characters and its number
    LRESULT read;
    while ((read = SendMessageA(g_mainWindow, WM_EXPORT_LINE, EXPORT_NEXT, reinterpret_cast<LPARAM>(line))) ==
           kExportLineCopied) {
        line[kLineBytes - 1] = '\0';
        WriteLine(&w, line, std::strlen(line));
    }
    Flush(&w);
    std::free(w.buffer);
    if (read != kExportListEnd)
        return WRITE_LIST_LOST;
    return w.failed ? WRITE_FAILED : WRITE_WHOLE;
}

static void Report(const char *text, UINT icon)
{
    if (!s_closing.load())
        MessageBoxA(g_mainWindow, text, kAppCaption, icon);
}

// Raises the writing flag unless the program is closing. The close sets its flag before it
// looks at this one, and both are sequentially consistent: either the close waits for the
// file, or the export sees the close and writes nothing.
static bool BeginWriting()
{
    s_writing.store(true);
    if (!s_closing.load())
        return true;
    s_writing.store(false);
    return false;
}

static void EndWriting()
{
    s_writing.store(false);
    SetEvent(s_writingEnded);
}

// One Export List command: the Save dialog, the file, the report.
static void ExportList()
{
    SendMessageA(g_mainWindow, WM_EXPORT_LINE, EXPORT_BEGIN, 0);
    char typed[kExportPathBytes] = "";
    // MAX_PATH characters: the rest of the buffer is room for ".txt".
    OPENFILENAMEA dialog = FileDialogRecord(
        false, "Text Files (*.txt)\0*.txt\0", typed, MAX_PATH,
        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_EXTENSIONDIFFERENT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "txt");
    dialog.lpstrTitle = "Write a file name to export list to";
    if (!GetSaveFileNameA(&dialog) || s_closing.load())
        return;

    char path[kExportPathBytes];
    std::memcpy(path, typed, sizeof path);
    bool named = AppendTxtExtension(path, sizeof path);
    if (named && !MayReplaceExtendedName(g_mainWindow, typed, path))
        return;
    if (!BeginWriting())
        return;
    HANDLE file = named ? CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL)
                        : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        EndWriting();
        Report("File cannot be created due to an error", MB_ICONWARNING);
        return;
    }
    WriteResult result = WriteListLines(file);
    if (!CloseHandle(file) && result == WRITE_WHOLE)
        result = WRITE_FAILED;
    if (result == WRITE_LIST_LOST)
        DeleteFileA(path);  // not the list the user asked for: no file rather than a wrong one
    EndWriting();
    Report(result == WRITE_WHOLE ? "List has been successfully exported"
                                 : "There was an error writing to file. List may not have been exported successfully",
           MB_ICONINFORMATION);
}

static DWORD WINAPI ServeExports(LPVOID)
{
    for (;;) {
        WaitDispatchingMessages(s_commands);
        ExportList();
    }
}

void StartExport()
{
    if (s_closing.load() || s_askedCount == kMaxWaitingExports)
        return;
    if (!s_commands)
        s_commands = CreateSemaphoreA(NULL, 0, kMaxWaitingExports, NULL);
    if (!s_writingEnded)
        s_writingEnded = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (!s_exportThread && s_commands && s_writingEnded)
        s_exportThread = CreateThread(NULL, 0, ServeExports, NULL, 0, NULL);
    if (!s_exportThread)
        return;
    s_askedLists[s_askedCount++] = g_resultList;
    ReleaseSemaphore(s_commands, 1, NULL);
}

void EndExportBeforeExit()
{
    s_closing.store(true);
    while (s_writing.load()) {
        // Serve the export's requests for lines until its file is closed.
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        MsgWaitForMultipleObjects(1, &s_writingEnded, FALSE, 50, QS_SENDMESSAGE);
    }
}
