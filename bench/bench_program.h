// What the benchmarks share: starting the real Sorvane.exe in the same Wine, finding its windows,
// closing its message boxes, searching, and answering its Save dialog. Each benchmark is one
// source file; it names itself in g_benchName for its failure messages.
#ifndef SORVANE_BENCH_PROGRAM_H
#define SORVANE_BENCH_PROGRAM_H

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern const char g_benchName[];

inline bool WaitFor(bool (*pred)(void *), void *arg, int timeoutMs, DWORD pollMs = 5)
{
    DWORD start = GetTickCount();
    while (!pred(arg)) {
        if (static_cast<int>(GetTickCount() - start) > timeoutMs)
            return false;
        Sleep(pollMs);
    }
    return true;
}

// Walks the tree with FindFirstFileA as a bare search would: onFolder for each folder entered,
// the root included, and onFile for each file's name.
inline void WalkTree(const char *folder, void (*onFile)(const char *name), void (*onFolder)())
{
    onFolder();
    char pattern[MAX_PATH + 8];
    if (std::snprintf(pattern, sizeof pattern, "%s\\*.*", folder) >= static_cast<int>(sizeof pattern))
        return;
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA(pattern, &entry);
    if (listing == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            onFile(entry.cFileName);
        } else if (lstrcmpA(entry.cFileName, ".") != 0 && lstrcmpA(entry.cFileName, "..") != 0) {
            char path[MAX_PATH + 8];
            if (std::snprintf(path, sizeof path, "%s\\%s", folder, entry.cFileName) < static_cast<int>(sizeof path))
                WalkTree(path, onFile, onFolder);
        }
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
}

// Runs the worker, which gets this thread's ID, while this thread waits in GetMessage as a
// window's thread does, until the worker posts WM_QUIT to it.
inline void ServeWhile(LPTHREAD_START_ROUTINE worker)
{
    LPVOID self = reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(GetCurrentThreadId()));
    HANDLE thread = CreateThread(NULL, 0, worker, self, 0, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

inline void ClearFolder(const std::string &folder)
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ClearFolder(path);
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(find, &fd));
    FindClose(find);
}

// --- The program's windows ---

struct Program {
    PROCESS_INFORMATION pi;
    HWND main;
};
inline Program g_app;  // the program the helpers below drive

// Ends the benchmark, and the program it drives.
inline void Fail(const char *what)
{
    std::printf("%s: %s\n", g_benchName, what);
    std::fflush(stdout);
    if (g_app.pi.hProcess)
        TerminateProcess(g_app.pi.hProcess, 1);
    std::exit(1);
}

struct Found {
    const char *cls;
    int childId;        // a child the window must have, 0 for any
    std::string text;   // words its static 65535 must hold, empty for any
    HWND window;
};

inline BOOL CALLBACK FindWindowOfProgram(HWND w, LPARAM param)
{
    Found *f = reinterpret_cast<Found *>(param);
    DWORD pid = 0;
    char cls[64] = "";
    GetWindowThreadProcessId(w, &pid);
    GetClassNameA(w, cls, sizeof cls);
    if (pid != g_app.pi.dwProcessId || !IsWindowVisible(w) || std::strcmp(cls, f->cls) != 0)
        return TRUE;
    if (f->childId && !GetDlgItem(w, f->childId))
        return TRUE;
    if (!f->text.empty()) {
        wchar_t wide[512] = L"";
        SendMessageW(GetDlgItem(w, 0xFFFF), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(wide));
        char text[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, NULL, NULL);
        if (!std::strstr(text, f->text.c_str()))
            return TRUE;
    }
    f->window = w;
    return FALSE;
}

inline HWND WaitForOfProgram(const char *cls, int childId, const std::string &text, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        Found f = {cls, childId, text, NULL};
        EnumWindows(FindWindowOfProgram, reinterpret_cast<LPARAM>(&f));
        if (f.window)
            return f.window;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs)
            return NULL;
        Sleep(1);
    }
}

inline void CloseBox(const char *words, int timeoutMs)
{
    HWND box = WaitForOfProgram("#32770", 0xFFFF, words, timeoutMs);
    if (!box)
        Fail((std::string("no box saying ") + words).c_str());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitFor([](void *w) { return !IsWindow(static_cast<HWND>(w)); }, box, 5000);
}

inline void Launch(const char *exe)
{
    std::string cmd = std::string("\"") + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &g_app.pi))
        Fail("cannot start Sorvane.exe");
    WaitForInputIdle(g_app.pi.hProcess, 10000);
    g_app.main = WaitForOfProgram("Sorvane", 0, "", 15000);
    if (!g_app.main)
        Fail("no main window");
}

inline HWND ResultList() { return GetDlgItem(g_app.main, 116); }

// Ticks exactly the drive boxes named in drives ("D:", "D: E:"), searches and waits for the end.
inline void SearchDrives(const char *drives)
{
    for (HWND w = GetWindow(g_app.main, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(w) != 113)
            continue;
        char text[8] = "";
        GetWindowTextA(w, text, sizeof text);
        SendMessageA(w, BM_SETCHECK, std::strstr(drives, text) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    PostMessageA(GetDlgItem(g_app.main, 115), BM_CLICK, 0, 0);
    CloseBox("Search Completed!", 300000);
}

inline unsigned long long SizeOf(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d))
        return ~0ull;
    return (static_cast<unsigned long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

// The save dialog's file-name edit: control 1148, or the edit inside it.
inline HWND FileNameEdit(HWND window, bool inside = false)
{
    for (HWND w = GetWindow(window, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char cls[32] = "";
        GetClassNameA(w, cls, sizeof cls);
        bool here = inside || GetDlgCtrlID(w) == 1148;
        if (here && _stricmp(cls, "Edit") == 0)
            return w;
        if (HWND inner = FileNameEdit(w, here))
            return inner;
    }
    return NULL;
}

// Waits for the program's Save dialog of this title, types the name and presses Save.
inline void SaveAs(const char *title, const char *name)
{
    struct Query {
        const char *title;
        HWND dialog;
    } q = {title, NULL};
    WaitFor([](void *p) {
        Query *found = static_cast<Query *>(p);
        found->dialog = FindWindowA("#32770", found->title);
        return found->dialog != NULL && IsWindowVisible(found->dialog);
    }, &q, 10000);
    if (!q.dialog)
        Fail("no save dialog");
    HWND edit = FileNameEdit(q.dialog);
    if (!edit)
        Fail("no file-name box");
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    PostMessageA(q.dialog, WM_COMMAND, IDOK, 0);
}

#endif
