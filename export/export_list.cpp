#include "export_list.h"

#include <commdlg.h>

#include <cstdlib>
#include <cstring>

#include "../app/controls.h"
#include "../app/line_format.h"
#include "../app/state.h"
#include "export_rules.h"

enum { kWriteBufferBytes = 64 * 1024 };

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

// Writes every line of the list, in order; false when something could not be written.
static bool WriteListLines(HANDLE file)
{
    LineWriter w = {file, static_cast<char *>(std::malloc(kWriteBufferBytes)), 0, false};
    if (!w.buffer)
        return false;
    HWND list = g_resultList;
    LRESULT count = list ? SendMessageA(list, LB_GETCOUNT, 0, 0) : 0;
    char line[kLineBytes];  // every line the program writes fits: a path of 259 characters and its number
    for (LRESULT i = 0; i < count; ++i) {
        line[0] = '\0';
        // A line that is gone (the list shrank meanwhile) is not written.
        if (SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line)) == LB_ERR)
            continue;
        line[kLineBytes - 1] = '\0';
        WriteLine(&w, line, std::strlen(line));
    }
    Flush(&w);
    std::free(w.buffer);
    return !w.failed;
}

DWORD WINAPI ExportList(LPVOID)
{
    char path[kExportPathBytes] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = g_mainWindow;
    dialog.lpstrFilter = "Text Files (*.txt)\0*.txt\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;  // the rest of the buffer is room for ".txt"
    dialog.lpstrTitle = "Write a file name to export list to";
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_EXTENSIONDIFFERENT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    dialog.lpstrDefExt = "txt";
    if (!GetSaveFileNameA(&dialog))
        return 0;

    HANDLE file = INVALID_HANDLE_VALUE;
    if (AppendTxtExtension(path, sizeof path))
        file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(g_mainWindow, "File cannot be created due to an error", kAppCaption, MB_ICONWARNING);
        return 0;
    }
    bool written = WriteListLines(file);
    if (!CloseHandle(file))
        written = false;
    MessageBoxA(g_mainWindow,
                written ? "List has been successfully exported"
                        : "There was an error writing to file. List may not have been exported successfully",
                kAppCaption, MB_ICONINFORMATION);
    return 0;
}
